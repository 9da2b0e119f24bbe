#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "tests/support/CliCommand.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

class CliHistory : public test::CliCommand {
  protected:
    QString Host() const { return QString::fromStdString(test::TestAgentAddress()); }
    // Fields of the CSV lines whose first field starts with `prefix`.
    static QList<QStringList> Rows(const QStringList& lines, const QString& prefix) {
        QList<QStringList> rows;
        for (const QString& line : lines) {
            if (line.startsWith(prefix)) {
                rows.append(line.split(u','));
            }
        }
        return rows;
    }
};

// What poll measured is what history and report read back from the file.
TEST_F(CliHistory, ShowsThePolledRates) {
    Launch("poll", {"--host", Host(), "--community", "public", "--interface", "1", "--interval",
                    "1", "--count", "4", "--format", "csv"});
    ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
    const QList<QStringList> polls = Rows(out, "poll,");
    const QList<QStringList> totals = Rows(out, "totals,");
    ASSERT_EQ(polls.size(), 3);
    ASSERT_EQ(totals.size(), 1);

    Launch("history", {"--host", Host(), "--interface", "1", "--step", "raw", "--format", "csv"});
    ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
    ASSERT_EQ(out.value(0).section(u',', 2, 3), "in_bytes_per_s,out_bytes_per_s");
    QList<QStringList> rates;
    for (const QStringList& row : Rows(out.mid(1), "20")) {
        if (!row.value(2).isEmpty()) {
            rates.append(row);
        }
    }
    ASSERT_EQ(rates.size(), polls.size()) << out.join(u'\n').toStdString();
    for (qsizetype i = 0; i < polls.size(); ++i) {
        // Same second, and the same bytes and rates each way.
        EXPECT_EQ(rates[i][0].left(19), polls[i][1].left(19));
        EXPECT_EQ(rates[i].mid(2, 2), polls[i].mid(8, 2));
        EXPECT_EQ(rates[i].mid(10, 2), polls[i].mid(6, 2));
    }

    Launch("report", {"--host", Host(), "--interface", "1"});
    ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
    EXPECT_TRUE(
        out.contains(QStringLiteral("Volume IN: %1 bytes; OUT: %2 bytes; combined: %3 bytes")
                         .arg(totals[0][6], totals[0][7])
                         .arg(totals[0][6].toLongLong() + totals[0][7].toLongLong())))
        << out.join(u'\n').toStdString();
}

TEST_F(CliHistory, RecordingSwitchedOffKeepsNoHistory) {
    QDir().mkpath(home.ConfigFolder() + "/Tarnwick");
    QFile settings(home.ConfigFolder() + "/Tarnwick/Pulsewell.conf");
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[General]\nhistoryrecording=no\n");
    settings.close();
    Launch("poll", {"--host", Host(), "--community", "public", "--interface", "1", "--interval",
                    "1", "--count", "2"});
    ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
    EXPECT_FALSE(QFile::exists(home.ProgramFolder() + "history.sqlite"));
}

TEST_F(CliHistory, ExitCodes) {
    struct Case {
        const char* command;
        QStringList arguments;
        int exitCode;
    };
    const Case cases[] = {
        {"history", {"--host", "192.0.2.1", "--interface", "1"}, 1},
        {"history", {"--host", "192.0.2.1", "--interface", "1", "--step", "5m"}, 2},
        {"history", {"--host", "192.0.2.1", "--interface", "1", "--from", "yesterday"}, 2},
        {"report", {"--host", "192.0.2.1", "--interface", "1", "--month", "2026-13"}, 2},
        {"report", {"--host", "192.0.2.1", "--interface", "1", "--billing-day", "29"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        Launch(c.command, c.arguments);
        EXPECT_EQ(Finish(), c.exitCode) << err.join(u'\n').toStdString();
    }
}

}  // namespace
}  // namespace pulsewell

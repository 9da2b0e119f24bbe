#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "CliCommand.h"
#include "CounterRamp.h"
#include "QtPrinters.h"
#include "TestAgent.h"

namespace pulsewell {
namespace {

// One performance datum: 'label'=value[UOM];[warn];[crit];[min];[max].
struct Datum {
    double value = 0;
    QString unit;
    QStringList limits;
};

// The performance data after the "|" of a plugin's line, by label.
std::map<QString, Datum> PerformanceData(const QString& line) {
    static const QRegularExpression form("^([\\d.]+)([a-zA-Z%]*)((?:;[\\d.]*){0,4})$");
    std::map<QString, Datum> data;
    const qsizetype bar = line.indexOf(u'|');
    if (bar < 0) {
        return data;
    }
    for (const QString& item : line.mid(bar + 1).split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype equals = item.indexOf(u'=');
        const QRegularExpressionMatch m = form.match(item.mid(equals + 1));
        EXPECT_TRUE(equals > 0 && m.hasMatch()) << item.toStdString();
        data[item.left(equals)] = {m.captured(1).toDouble(), m.captured(2),
                                   m.captured(3).mid(1).split(u';')};
    }
    return data;
}

class CliCheck : public test::CliCommand {
  protected:
    // Runs check and returns its exit code; its one line is out.
    int Check(const QStringList& arguments) {
        Launch("check", arguments);
        const int exitCode = Finish();
        EXPECT_EQ(out.size(), 1) << out.join(u'\n').toStdString();
        return exitCode;
    }
};

// A link carrying 12.5 kB/s each way on 400 kbit/s: 25 % each way, 50 % in all.
TEST_F(CliCheck, FourStatesAndTheirPerformanceData) {
    test::CounterRamp ramp(12, 12500, "400000");
    struct Case {
        QStringList options;
        const char* stored;  // settings file lines
        int exitCode;
        const char* state;
        const char* limits;  // warning;critical
    };
    const Case cases[] = {
        {{}, "", 0, "OK", "70;90"},
        {{"--warning", "30"}, "", 1, "WARNING", "30;90"},
        {{"--warning", "10", "--critical", "20.5"}, "", 2, "CRITICAL", "10;20.5"},
        {{}, "lowvalue=20\nhighvalue=30\n", 2, "CRITICAL", "20;30"},
        {{"--critical", "95"}, "lowvalue=20\nhighvalue=30\n", 1, "WARNING", "20;95"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString() + " " + c.stored);
        const QString settings = home.ConfigFolder() + "/Tarnwick/Pulsewell.conf";
        QFile::remove(settings);
        if (*c.stored != 0) {
            QDir().mkpath(home.ConfigFolder() + "/Tarnwick");
            QFile file(settings);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("[General]\n") + c.stored);
        }
        ASSERT_EQ(Check(QStringList{"--host", QString::fromStdString(test::TestAgentAddress()),
                                    "--community", "public", "--interface", "12", "--interval",
                                    "1"} +
                        c.options),
                  c.exitCode)
            << err.join(u'\n').toStdString();
        const QString line = out.value(0);
        EXPECT_TRUE(line.startsWith(QStringLiteral("PULSEWELL %1 - IN ").arg(c.state)))
            << line.toStdString();
        const std::map<QString, Datum> data = PerformanceData(line);
        ASSERT_EQ(data.size(), 3u) << line.toStdString();
        // The two readings' timing shifts by the agent's and the machine's load.
        EXPECT_NEAR(data.at("in_bps").value, 100000, 20000);
        EXPECT_NEAR(data.at("out_bps").value, 100000, 20000);
        const Datum& utilization = data.at("utilization");
        EXPECT_NEAR(utilization.value, 50, 10);
        EXPECT_EQ(utilization.unit, "%");
        EXPECT_EQ(utilization.limits.mid(0, 2).join(u';'), c.limits);
        EXPECT_EQ(utilization.limits.mid(2), QStringList({"0", "100"}));
        EXPECT_EQ(QFile::exists(settings), *c.stored != 0);  // the check writes no settings
        EXPECT_TRUE(err.isEmpty()) << err.join(u'\n').toStdString();
    }
}

TEST_F(CliCheck, UnknownWhenItCannotJudge) {
    const QString host = QString::fromStdString(test::TestAgentAddress());
    const std::pair<QStringList, const char*> cases[] = {
        {{"--host", "127.0.0.1:9", "--interface", "1", "--timeout", "1"},
         "no answer from 127.0.0.1:9"},
        {{"--host", host, "--community", "public", "--interface", "99", "--interval", "1"},
         "No values from host! Polling stopped!"},
        {{"--host", host, "--community", "public", "--interface", "2", "--interval", "1",
          "--bandwidth", "0"},
         "no bandwidth to measure interface 2 against: give --bandwidth"},
        {{"--host", host, "--interface", "2", "--interval", "0"},
         "--interval must be a whole number from 1 to 300, not \"0\""},
        {{"--host", host, "--interface", "2", "--warning", "50", "--critical", "40"},
         "the warning threshold 50 % is above the critical one 40 %"},
    };
    for (const auto& [arguments, reason] : cases) {
        SCOPED_TRACE(reason);
        EXPECT_EQ(Check(arguments), 3);
        EXPECT_EQ(out.value(0), QStringLiteral("PULSEWELL UNKNOWN - ") + reason);
    }
}

}  // namespace
}  // namespace pulsewell

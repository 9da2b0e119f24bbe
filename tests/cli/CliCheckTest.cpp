#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "tests/support/CliCommand.h"
#include "tests/support/CounterRamp.h"
#include "tests/support/QtPrinters.h"

namespace pulsewell {
namespace {

// The performance data after a plugin line's "|", label to value, unit and
// the four limits: 'label'=value[UOM];[warn];[crit];[min];[max].
std::map<QString, QStringList> PerformanceData(const QString& line) {
    static const QRegularExpression datum(
        "(\\w+)=([\\d.]+)([a-zA-Z%]*);([\\d.]*);([\\d.]*);"
        "([\\d.]*)(?:;([\\d.]*))?(?: |$)");
    std::map<QString, QStringList> data;
    for (auto m = datum.globalMatch(line.section(u'|', 1)); m.hasNext();) {
        const QStringList parts = m.next().capturedTexts();
        data[parts[1]] = parts.mid(2);
    }
    return data;
}

class CliCheck : public test::CliCommand {
  protected:
    // The exit code; the one line is out.
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
    const QString settings = home.ConfigFolder() + "/Tarnwick/Pulsewell.conf";
    struct Case {
        QStringList options;
        QByteArray stored;  // the settings file
        int exitCode;
        QString state;
        QStringList limits;  // warning, critical, min, max
    };
    const Case cases[] = {
        {{"--warning", "97", "--critical", "99"}, "", 0, "OK", {"97", "99", "0", "100"}},
        {{"--warning", "30"}, "", 1, "WARNING", {"30", "90", "0", "100"}},
        {{"--warning", "10", "--critical", "20.5"}, "", 2, "CRITICAL", {"10", "20.5", "0", "100"}},
        // The window's stored thresholds are not the plugin's.
        {{}, "[General]\nlowvalue=20\nhighvalue=30\n", 0, "OK", {"70", "90", "0", "100"}},
        {{"--critical", "95"}, "[General]\nlowvalue=20\n", 0, "OK", {"70", "95", "0", "100"}},
        // A critical threshold alone below the default warning one.
        {{"--critical", "30"}, "", 2, "CRITICAL", {"30", "30", "0", "100"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString() + " " + c.stored.toStdString());
        QFile::remove(settings);
        if (!c.stored.isEmpty()) {
            QDir().mkpath(home.ConfigFolder() + "/Tarnwick");
            QFile file(settings);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(c.stored) > 0);
        }
        EXPECT_EQ(
            Check(QStringList{"--host", QString::fromStdString(test::TestAgentAddress()),
                              "--community", "public", "--interface", "12", "--interval", "1"} +
                  c.options),
            c.exitCode);
        const QString line = out.value(0);
        EXPECT_TRUE(line.startsWith("PULSEWELL " + c.state + " - IN ")) << line.toStdString();
        const std::map<QString, QStringList> data = PerformanceData(line);
        ASSERT_EQ(data.size(), 3u) << line.toStdString();
        // The two readings' timing shifts with the agent's and the machine's
        // load, which a busy machine can stretch to twice the rate; the
        // utilization is the two rates' share of the bandwidth all the same.
        const double in = data.at("in_bps")[0].toDouble();
        const double out = data.at("out_bps")[0].toDouble();
        EXPECT_GT(in, 80000);
        EXPECT_LT(in, 200000);
        EXPECT_GT(out, 80000);
        EXPECT_LT(out, 200000);
        EXPECT_EQ(data.at("in_bps").mid(1), QStringList({"", "", "", "0"}));  // no maximum
        EXPECT_NEAR(data.at("utilization")[0].toDouble(), (in + out) / 400000 * 100, 0.01);
        EXPECT_EQ(data.at("utilization").mid(1), QStringList{"%"} + c.limits);
        EXPECT_EQ(QFile::exists(settings), !c.stored.isEmpty());  // nothing stored
        EXPECT_TRUE(err.isEmpty()) << err.join(u'\n').toStdString();
    }
}

TEST_F(CliCheck, UnknownWhenItCannotJudge) {
    const QString host = QString::fromStdString(test::TestAgentAddress());
    const std::pair<QStringList, const char*> cases[] = {
        {{"--host", "127.0.0.1:9", "--interface", "1", "--timeout", "1"},
         "no answer from 127.0.0.1:9"},
        {{"--host", host, "--community", "public", "--interface", "99", "--interval", "1"},
         "the device has no interface 99"},
        {{"--host", host, "--community", "public", "--interface", "99", "--bandwidth", "1000"},
         "the device has no interface 99"},
        {{"--host", host, "--community", "public", "--interface", "2", "--interval", "1",
          "--bandwidth", "0"},
         "no bandwidth to measure interface 2 against: give --bandwidth"},
        {{"--host", host, "--interface", "2", "--warning", "50", "--critical", "40"},
         "the warning threshold 50 % is above the critical one 40 %"},
        {{"--host", host, "--interface", "2", "--interval", "0"},
         "--interval must be a whole number from 1 to 300, not \"0\""},
    };
    for (const auto& [arguments, reason] : cases) {
        SCOPED_TRACE(reason);
        EXPECT_EQ(Check(arguments), 3);
        EXPECT_EQ(out.value(0), QStringLiteral("PULSEWELL UNKNOWN - ") + reason);
    }
}

}  // namespace
}  // namespace pulsewell

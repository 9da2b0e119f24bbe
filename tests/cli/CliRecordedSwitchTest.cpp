#include <QRegularExpression>

#include "CliCommand.h"
#include "QtPrinters.h"
#include "TestAgent.h"

namespace pulsewell {
namespace {

using CliRecordedSwitch = test::CliCommand;

// Interface 1 of the recorded switch reads IN 39,857,997 and OUT 0, and the
// recording never changes: a counter standing at 0 is a reading all the same.
TEST_F(CliRecordedSwitch, IdlePortIsMeasuredAtZero) {
    const QStringList device = {"--host", QString::fromStdString(test::TestSimulatorAddress()),
                                "--community", "cisco_16_switch", "--interface", "1",
                                "--interval", "1"};
    Launch("poll", device + QStringList{"--count", "3"});
    ASSERT_EQ(Finish(60000), 0) << err.join(u'\n').toStdString();
    const QRegularExpression line("^\\d\\d\\.\\w+\\.\\d{4}, \\d\\d:\\d\\d:\\d\\d; IN bits/s: 0; "
                                  "OUT bits/s: 0; utilization: 0\\.00 %$");
    ASSERT_EQ(out.size(), 3) << out.join(u'\n').toStdString();
    EXPECT_TRUE(line.match(out[0]).hasMatch()) << out[0].toStdString();
    EXPECT_TRUE(line.match(out[1]).hasMatch()) << out[1].toStdString();
    EXPECT_EQ(out[2], "Total traffic transferred IN: 0 bytes; OUT: 0 bytes; combined: 0 bytes");

    Launch("check", device);
    EXPECT_EQ(Finish(60000), 0);
    EXPECT_EQ(out, QStringList("PULSEWELL OK - IN 0 bit/s, OUT 0 bit/s, utilization 0.00 % | "
                               "in_bps=0;;;0 out_bps=0;;;0 utilization=0.00%;70;90;0;100"));
}

}  // namespace
}  // namespace pulsewell

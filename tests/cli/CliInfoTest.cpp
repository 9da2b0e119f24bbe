#include <QFile>
#include <QRegularExpression>

#include "tests/support/CliCommand.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

// The value of one object as the simulator's recording holds it: "OID|TYPE|VALUE",
// with "x" after the type when the value is written in hex.
QByteArray RecordedValue(const QString& recording, const QByteArray& oid) {
    QFile file(qEnvironmentVariable("PULSEWELL_TEST_SIMULATOR") + "/data/" + recording +
               ".snmprec");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().chopped(1).split('|');
        if (fields.size() == 3 && fields[0] == oid) {
            return fields[1].endsWith('x') ? QByteArray::fromHex(fields[2]) : fields[2];
        }
    }
    ADD_FAILURE() << "no " << oid.toStdString() << " in " << recording.toStdString();
    return {};
}

using CliInfo = test::CliCommand;

TEST_F(CliInfo, RecordedCiscoDescriptionArrivesWholeLineByLine) {
    const QString recording = "cisco_16_switch";
    const QByteArray description = RecordedValue(recording, "1.3.6.1.2.1.1.1.0");
    const QStringList descriptionLines = QString::fromLatin1(description).split("\r\n");
    ASSERT_GE(descriptionLines.size(), 2);  // the point of the recording

    Launch("info", {"--host", QString::fromStdString(test::TestSimulatorAddress()), "--community",
                    recording});
    ASSERT_EQ(Finish(120000), 0) << err.join(u'\n').toStdString();

    EXPECT_FALSE(outBytes.contains('\r'));
    const qsizetype name = out.indexOf("System Name: ");
    ASSERT_GT(name, 0);
    EXPECT_EQ(out.first(), "System description: ");
    EXPECT_EQ(out.mid(1, name - 1), descriptionLines);
    EXPECT_EQ(out[name + 1], QString::fromLatin1(RecordedValue(recording, "1.3.6.1.2.1.1.5.0")));
    EXPECT_TRUE(out.contains("Interface information"));
    EXPECT_TRUE(err.isEmpty()) << err.join(u'\n').toStdString();
}

// Control characters, a line break in a description, no sysUpTime, ifHighSpeed 0.
TEST_F(CliInfo, HostileRouterIsShownEscapedOneRowPerInterface) {
    for (const QString version : {"1", "2c"}) {
        Launch("info", {"--host", QString::fromStdString(test::TestSimulatorAddress()),
                        "--community", "hostile_router", "--snmp-version", version});
        ASSERT_EQ(Finish(60000), 0) << err.join(u'\n').toStdString();
        const QRegularExpression control("[\\x{0}-\\x{9}\\x{b}-\\x{1f}\\x{7f}-\\x{9f}]");
        EXPECT_FALSE(QString::fromUtf8(outBytes).contains(control));
        EXPECT_EQ(out.mid(1, 2), QStringList({"Edge\\x1b[2J\\x07 router", "second\\x00line"}));
        EXPECT_TRUE(out.contains("System uptime: unknown"));
        EXPECT_EQ(out.last(),
                  "1; uplink 9; forged; 4,294,967,295; unknown; No MAC available; ; "
                  "up; up; ethernet-csmacd (6); ");
    }
}

// Interface 1 of the recorded switch reads IN 39,857,997 and OUT 0, for good:
// a counter standing at 0 is a reading all the same.
TEST_F(CliInfo, IdlePortOfTheRecordedSwitchIsMeasuredAtZero) {
    const QStringList device = {"--host",      QString::fromStdString(test::TestSimulatorAddress()),
                                "--community", "cisco_16_switch",
                                "--interface", "1",
                                "--interval",  "1"};
    Launch("poll", device + QStringList{"--count", "3"});
    ASSERT_EQ(Finish(60000), 0) << err.join(u'\n').toStdString();
    ASSERT_EQ(out.size(), 3) << out.join(u'\n').toStdString();
    EXPECT_TRUE(out[0].endsWith("; IN bits/s: 0; OUT bits/s: 0; utilization: 0.00 %"));
    EXPECT_EQ(out[0].section(u';', 1), out[1].section(u';', 1));
    Launch("check", device);
    EXPECT_EQ(Finish(60000), 0);
    EXPECT_EQ(out, QStringList("PULSEWELL OK - IN 0 bit/s, OUT 0 bit/s, utilization 0.00 % | "
                               "in_bps=0;;;0 out_bps=0;;;0 utilization=0.00%;70;90;0;100"));
}

}  // namespace
}  // namespace pulsewell

#include <QFile>

#include "CliCommand.h"
#include "ControlCharacters.h"
#include "QtPrinters.h"
#include "TestAgent.h"

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

// Escapes in the report and the table; a line break in a cell a blank.
TEST_F(CliInfo, DeviceTextsShowControlCharactersEscapedOneRowPerInterface) {
    const QString host = QString::fromStdString(test::TestSimulatorAddress());
    const QStringList table = {
        "Interface; Description; Speed; Duplex; MAC Address; MTU; AdminStatus; OperStatus; ifType; ",
        "1; uplink 9; forged; 1; unknown; No MAC available; 1500; up; up; 6;; 4,294,967,295; "
        "unknown; No MAC available; ; up; up; ethernet-csmacd (6); ",
        "2; wan\\x1b[31m0; 100,000,000; unknown; No MAC available; ; up; up; ethernet-csmacd (6); "};
    const QStringList report = {
        "System description: ", "Edge\\x1b[2J\\x07 router", "second\\x00line", "System Name: ",
        "edge1\\x1b]0;owned\\x07 rack", "System object ID: ", "1.3.6.1.4.1.99999.1",
        "System IP address: ", host, "System location: ", "rack\\x7f 4\\x9b1m", "System contact: ",
        "noc@pulsewell.invalid",
        "System uptime: 12345678 ticks (1 days, 10 hours, 17 minutes, 36 seconds)",
        "Number of interfaces: 2", "System services: 72", "Interface information"};
    // SNMPv2c reads ifHighSpeed too, which this agent leaves at 0.
    for (const QString version : {"1", "2c"}) {
        for (const auto& [command, lines] : {std::pair{"discover", table}, {"info", report + table}}) {
            SCOPED_TRACE((command + (" v" + version)).toStdString());
            Launch(command, {"--host", host, "--community", "hostile_router", "--snmp-version", version});
            ASSERT_EQ(Finish(60000), 0) << err.join(u'\n').toStdString();
            EXPECT_FALSE(test::HasControlCharacter(QString::fromUtf8(outBytes)));
            EXPECT_EQ(out, lines);
        }
    }
}

TEST_F(CliInfo, UptimeMissingOrNoNumberIsUnknownAndTheInterfacesAreOffered) {
    for (const QString recording : {"hidden_uptime", "text_uptime"}) {
        Launch("info", {"--host", QString::fromStdString(test::TestSimulatorAddress()),
                        "--community", recording});
        ASSERT_EQ(Finish(60000), 0) << err.join(u'\n').toStdString();
        EXPECT_TRUE(out.contains("System uptime: unknown")) << recording.toStdString();
        EXPECT_EQ(out.last(), "1; eth0; 100,000,000; unknown; No MAC available; ; up; up; "
                              "ethernet-csmacd (6); ");
    }
}

TEST_F(CliInfo, FailedDiscoveryKeepsTheLastExport) {
    QFile file(home.ProgramFolder() + "device_info.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("last export\r\n") > 0);
    file.close();
    Launch("discover", {"--host", "127.0.0.1:1"});
    EXPECT_EQ(Finish(), 1);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "last export\r\n");
}

}  // namespace
}  // namespace pulsewell

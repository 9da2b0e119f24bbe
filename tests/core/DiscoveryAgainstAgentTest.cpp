#include <gtest/gtest.h>

#include <QLocale>
#include <QProcess>

#include "core/Monitor.h"
#include "core/device/SnmpDeviceReader.h"
#include "tests/core/Discovered.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

const QString kLoopbackSpeed = "10000000";  // interface 1 "lo" of the agent's seed

// Net-SNMP's own view of one ifTable column: the values in walk order.
QStringList Snmpwalk(int column, const QStringList& options = {}) {
    QProcess walk;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("MIBS", "");  // numeric output, no MIB files needed
    walk.setProcessEnvironment(environment);
    walk.start("snmpwalk", QStringList{"-v1", "-c", test::kTestAgentCommunity, "-On", "-Oqv"} +
                               options +
                               QStringList{QString::fromStdString(test::TestAgentAddress()),
                                           QStringLiteral("1.3.6.1.2.1.2.2.1.%1").arg(column)});
    EXPECT_TRUE(walk.waitForFinished(30000));
    EXPECT_EQ(walk.exitCode(), 0) << walk.readAllStandardError().toStdString();
    QStringList values;
    for (QString line : QString::fromLatin1(walk.readAllStandardOutput()).split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        if (line.size() >= 2 && line.startsWith('"') && line.endsWith('"')) {
            line = line.mid(1, line.size() - 2);
        }
        values.append(line);
    }
    return values;
}

QString StatusName(const QString& value) {
    const QMap<QString, QString> names{{"1", "up"}, {"2", "down"}, {"3", "testing"}};
    return names.value(value, value);
}

class DiscoveryAgainstAgent : public ::testing::Test {
  protected:
    DiscoveryAgainstAgent() {
        test::ResetAgentState();
        monitor.ResetAll();
        monitor.SetHost(QString::fromStdString(test::TestAgentAddress()));
        monitor.SetCommunity(QString::fromLatin1(test::kTestAgentCommunity));
    }
    ~DiscoveryAgainstAgent() override { test::ResetAgentState(); }

    test::TempHome home;
    test::RecordingView view;
    test::RecordingSoundPlayer player;
    SnmpDeviceReader reader;
    Monitor monitor{view, reader, player};
};

// The table against what snmpwalk reads from the same agent, with an
// interface of our own that carries the unusual values.
TEST_F(DiscoveryAgainstAgent, TableEqualsTheInterfaceTableSnmpwalkReads) {
    test::SetAgentInterfaceValue(10, "ifDescr", "wan uplink");
    test::SetAgentInterfaceValue(10, "ifType", "117");
    test::SetAgentInterfaceValue(10, "ifMtu", "9000");
    test::SetAgentInterfaceValue(10, "ifSpeed", "4294967295");
    test::SetAgentInterfaceValue(10, "ifPhysAddress", "");
    test::SetAgentInterfaceValue(10, "ifAdminStatus", "2");
    test::SetAgentInterfaceValue(10, "ifOperStatus", "7");

    monitor.FirstContact();
    ASSERT_TRUE(view.errors.isEmpty()) << view.errors.join("; ").toStdString();

    const QStringList indexes = Snmpwalk(1);
    ASSERT_EQ(indexes, (QStringList{"1", "2", "10"}));
    const QStringList descriptions = Snmpwalk(2);
    const QStringList types = Snmpwalk(3);
    const QStringList mtus = Snmpwalk(4);
    const QStringList speeds = Snmpwalk(5);
    const QStringList macs = Snmpwalk(6, {"-Ox"});
    const QStringList admins = Snmpwalk(7);
    const QStringList opers = Snmpwalk(8);
    const QMap<QString, QString> typeNames{{"6", "ethernet-csmacd (6)"},
                                           {"24", "softwareLoopback (24)"}};
    const QLocale grouping(QLocale::English, QLocale::UnitedStates);

    ASSERT_EQ(monitor.Table().RowCount(), indexes.size() + 1);
    for (int i = 0; i < indexes.size(); ++i) {
        SCOPED_TRACE(indexes[i].toStdString());
        const QStringList expected{indexes[i],
                                   descriptions[i].trimmed(),
                                   grouping.toString(speeds[i].toULongLong()),
                                   "unknown",  // the agent has no duplex object
                                   macs[i].isEmpty() ? "No MAC available" : macs[i],
                                   mtus[i],
                                   StatusName(admins[i]),
                                   StatusName(opers[i]),
                                   typeNames.value(types[i], types[i])};
        QStringList cells;
        for (int c = 0; c < InterfaceTable::kColumns; ++c) {
            cells.append(monitor.Table().Cell(c, i + 1));
        }
        EXPECT_EQ(cells, expected);
    }
    EXPECT_EQ(monitor.Table().Cell(2, 3), "4,294,967,295");
    EXPECT_EQ(monitor.Table().Cell(6, 3), "down");
    EXPECT_EQ(monitor.Table().Cell(7, 3), "7");
    EXPECT_EQ(monitor.Table().Cell(8, 3), "117");

    EXPECT_EQ(monitor.InterfaceEntries(), indexes);
    EXPECT_EQ(monitor.InterfaceCount(), "3");
    bool isNumber = false;
    monitor.DiscoveryUptime().toUInt(&isNumber);
    EXPECT_TRUE(isNumber) << monitor.DiscoveryUptime().toStdString();
    EXPECT_TRUE(monitor.Status().commands.startPolling);
}

// Over SNMPv2c and SNMPv3 the walks by GetBulk give what GetNext and Get give
// in fewer requests, rows without an address and at ten gigabits included.
TEST_F(DiscoveryAgainstAgent, GetBulkGivesTheTableOfGetNextAndGet) {
    for (const auto& [column, ten, eleven] : {std::tuple{"ifDescr", "wan uplink", "no address"},
                                              {"ifType", "6", "6"},
                                              {"ifMtu", "9000", "1500"},
                                              {"ifSpeed", "4294967295", "1000000000"},
                                              {"ifAdminStatus", "1", "1"},
                                              {"ifOperStatus", "1", "2"}}) {
        test::SetAgentInterfaceValue(10, column, ten);
        test::SetAgentInterfaceValue(11, column, eleven);
    }
    SnmpV3Security v3;
    v3.User = QStringLiteral("v3aes");
    v3.AuthPassphrase = QString::fromLatin1(test::kTestAgentAuthPassphrase);
    v3.PrivPassphrase = QString::fromLatin1(test::kTestAgentPrivPassphrase);
    const QString host = QString::fromStdString(test::TestAgentAddress());
    const QString community = QString::fromLatin1(test::kTestAgentCommunity);
    for (const SnmpVersion version : {SnmpVersion::V2c, SnmpVersion::V3}) {
        SCOPED_TRACE(static_cast<int>(version));
        const test::Discovered walked = test::Discover(host, community, {1, version, false, v3});
        ASSERT_EQ(walked.interfaces, (QStringList{"1", "2", "10", "11"}));
        ASSERT_TRUE(walked.errors.isEmpty()) << walked.errors.join("; ").toStdString();
        for (const int width : {1, 16}) {
            const test::Discovered bulk =
                test::Discover(host, community, {width, version, true, v3});
            EXPECT_EQ(bulk.shown, walked.shown);
            EXPECT_LT(bulk.requests, walked.requests);
        }
    }
}

TEST_F(DiscoveryAgainstAgent, SelectingTheLoopbackRowTakesItsSpeed) {
    monitor.FirstContact();
    ASSERT_EQ(monitor.InterfaceEntries(), (QStringList{"1", "2"}));
    EXPECT_EQ(monitor.State().Bandwidth, kLoopbackSpeed);  // selected by discovery
    monitor.SelectInterface(1);
    EXPECT_EQ(monitor.State().Bandwidth, "100000000");
    EXPECT_EQ(monitor.State().PolledInterface, "2");
    monitor.SelectInterface(0);
    EXPECT_EQ(monitor.State().Bandwidth, kLoopbackSpeed);
    EXPECT_EQ(monitor.State().PolledInterface, "1");

    monitor.StartPolling();  // polls interface 1 right away
    EXPECT_TRUE(monitor.IsPolling());
    EXPECT_GT(monitor.State().Traffic.Out.Now.Counter, 0);  // the real loopback's bytes
    monitor.StopPolling();
    EXPECT_TRUE(view.errors.isEmpty()) << view.errors.join("; ").toStdString();
}

}  // namespace
}  // namespace pulsewell

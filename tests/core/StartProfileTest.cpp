#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/Monitor.h"
#include "core/settings/SettingsKey.h"
#include "core/settings/StartProfile.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

class StartProfileTest : public ::testing::Test {
  protected:
    void Write(const QString& name, const QByteArray& content) {
        QFile file(home.ProgramFolder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    test::TempHome home;
    test::RecordingView view;
    test::ScriptedDeviceReader reader;
    test::RecordingSoundPlayer player;
    Monitor monitor{view, reader, player};
};

TEST_F(StartProfileTest, ReadsDetailsWithoutRegardToCase) {
    Write("site.ini",
          "[Other]\r\nIP=192.0.2.9\r\n"
          "[ details ]\r\n; a comment\r\n IP = 10.0.0.1 \r\nCOMMUNITY=pub=lic\r\n"
          "bandwidth=100.000.000\r\nip=10.9.9.9\r\nnot a setting\r\n");
    const auto entry = ReadStartProfile(home.ProgramFolder() + "site.ini");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->IP, "10.0.0.1");
    EXPECT_EQ(entry->community, "pub=lic");
    EXPECT_EQ(entry->bandwidth, "100.000.000");
    EXPECT_EQ(entry->Interface, "1");
    EXPECT_EQ(entry->interval, "6");
    EXPECT_FALSE(ReadStartProfile(home.ProgramFolder() + "missing.ini").has_value());
    EXPECT_THROW(ReadStartProfile(home.ProgramFolder()), FileError);  // a folder
}

TEST_F(StartProfileTest, PresetsTheHostAndStartsPollingOneSecondLater) {
    Write("hostfile.txt", "10.5.5.5\r\n10.6.6.6\r\n");
    Write("site.ini", "[Details]\nIP=10.0.0.1\ncommunity=public\nbandwidth=1000000\ninterval=30\n");
    monitor.PollInterface("4");
    monitor.SetStartProfile("site.ini");
    monitor.ResetAll();

    EXPECT_EQ(monitor.State().Device.Host, "10.0.0.1");
    EXPECT_EQ(monitor.Status().hosts, QStringList("10.0.0.1"));
    EXPECT_EQ(monitor.Status().community, "public");
    EXPECT_EQ(monitor.Status().bandwidth, "1000000");
    EXPECT_EQ(monitor.Status().interfaces, QStringList("1"));
    EXPECT_TRUE(monitor.Status().interfaceListEnabled);
    EXPECT_EQ(monitor.Status().intervalSeconds, 30);
    EXPECT_EQ(monitor.State().Schedule.IntervalSeconds, 30);
    EXPECT_TRUE(monitor.Status().commands.startPolling);
    EXPECT_TRUE(monitor.Status().commands.stopPolling);
    EXPECT_TRUE(monitor.IsAutoStartArmed());
    EXPECT_TRUE(reader.requests.isEmpty());  // no discovery before

    reader.Answer("1.3.6.1.2.1.2.2.1.5.4", "1000000");
    monitor.AutoStartTick();
    EXPECT_FALSE(monitor.IsAutoStartArmed());
    EXPECT_TRUE(monitor.IsPolling());
    EXPECT_EQ(monitor.PollPeriodMs(), 30000);
    // The probe still asks for the interface number field's interface; the
    // first poll then reads the profile's interface.
    ASSERT_GE(reader.requests.size(), 3);
    EXPECT_EQ(reader.requests[0], "query 1.3.6.1.2.1.2.2.1.5.4 public@10.0.0.1");
    EXPECT_EQ(reader.requests[1], "get 1.3.6.1.2.1.2.2.1.16.1 public@10.0.0.1");
    EXPECT_EQ(monitor.State().InterfaceNumber, "4");
    EXPECT_EQ(monitor.State().PolledInterface, "1");
    // The remembered hosts are those of the file, this run's put in front.
    monitor.SetHost("10.7.7.7");
    monitor.StartPolling();
    QFile hosts(home.ProgramFolder() + "hostfile.txt");
    ASSERT_TRUE(hosts.open(QIODevice::ReadOnly));
    EXPECT_EQ(hosts.readAll(), "10.7.7.7\r\n10.0.0.1\r\n10.5.5.5\r\n10.6.6.6\r\n");
}

// "Reset all" is a fresh start: the profile applies again and polling
// starts again a second later, so the polling buttons are enabled then.
TEST_F(StartProfileTest, ResetAllWhilePollingAppliesTheProfileAndStartsAgain) {
    Write("site.ini", "[Details]\nIP=10.0.0.1\ncommunity=public\nbandwidth=1000000\n");
    reader.Answer("1.3.6.1.2.1.2.2.1.5.1", "1000000");
    monitor.SetStartProfile("site.ini");
    monitor.ResetAll();
    monitor.AutoStartTick();
    ASSERT_TRUE(monitor.IsPolling());

    monitor.ResetAll();
    EXPECT_FALSE(monitor.IsPolling());
    EXPECT_TRUE(monitor.IsAutoStartArmed());
    EXPECT_EQ(monitor.Status().hosts, QStringList("10.0.0.1"));
    EXPECT_EQ(monitor.Status().bandwidth, "1000000");
    EXPECT_TRUE(monitor.Status().commands.startPolling);
    EXPECT_TRUE(monitor.Status().commands.stopPolling);
    monitor.AutoStartTick();
    EXPECT_TRUE(monitor.IsPolling());
}

TEST_F(StartProfileTest, AMissingFileEmptiesTheHosts) {
    Write("hostfile.txt", "10.5.5.5\r\n");
    monitor.SetStartProfile("absent.ini");
    monitor.ResetAll();
    EXPECT_TRUE(monitor.Status().hosts.isEmpty());
    EXPECT_EQ(monitor.Status().hostText, "");
    EXPECT_EQ(monitor.State().Device.Host, "10.5.5.5");
    EXPECT_FALSE(monitor.IsAutoStartArmed());
    EXPECT_TRUE(view.errors.isEmpty());
}

// Values are read as people write them. One that names nothing is reported
// with its key and file, and nothing of the profile applies: polling with a
// guess sent requests unprotected.
TEST_F(StartProfileTest, ValuesThatNameNothingAreReportedAndPollingDoesNotStart) {
    const auto error = [&](const char* value, const char* key, const char* expected) {
        return QStringLiteral("'%1' is no valid value for '%2' in %3 (%4)")
            .arg(value, key, home.ProgramFolder() + "site.ini", expected);
    };
    const std::tuple<const char*, SnmpVersion, snmp::TV3Flags, QStringList> cases[] = {
        {"version=V3\nsecuritylevel=authnopriv\n", SnmpVersion::V3, snmp::TV3Flags::AuthNoPriv, {}},
        {"version=SNMPv2C\nsecuritylevel=NOAUTHNOPRIV\nauthprotocol=sha-256\n",
         SnmpVersion::V2c,
         snmp::TV3Flags::NoAuthNoPriv,
         {}},
        {"version=3\nsecuritylevel=authPrivacy\n",
         SnmpVersion::V1,
         snmp::TV3Flags::AuthPriv,
         {error("authPrivacy", "securitylevel", "noAuthNoPriv, authNoPriv or authPriv")}},
        {"version=V4\nauthprotocol=SHA-1024\nprivprotocol=3DES\n",
         SnmpVersion::V1,
         snmp::TV3Flags::AuthPriv,
         {error("V4", "version", "1, 2c or 3"),
          error("SHA-1024", "authprotocol", "MD5, SHA, SHA-224, SHA-256, SHA-384 or SHA-512"),
          error("3DES", "privprotocol", "DES, AES, AES-192, AES-256, AES-192-C or AES-256-C")}},
        {"interval=1\n",
         SnmpVersion::V1,
         snmp::TV3Flags::AuthPriv,
         {error("1", "interval", "3, 6, 15, 30, 60, 120 or 300")}},
        {"Interface=eth0\nbandwidth=fast\n",
         SnmpVersion::V1,
         snmp::TV3Flags::AuthPriv,
         {error("eth0", "Interface", "an interface number from 1 up"),
          error("fast", "bandwidth", "bits per second, a whole number from 0 up")}}};
    for (const auto& [lines, version, level, errors] : cases) {
        view.errors.clear();
        monitor.SetSnmpVersion(SnmpVersion::V1);
        monitor.SetSnmpSecurity(SnmpV3Security());
        monitor.SetCommunity("cobalt");
        Write("site.ini", QByteArray("[Details]\nIP=10.0.0.1\ncommunity=public\n") + lines);
        monitor.SetStartProfile("site.ini");
        monitor.ResetAll();
        EXPECT_EQ(view.errors, errors.isEmpty() ? QStringList() : QStringList(errors.join('\n')));
        EXPECT_EQ(monitor.IsAutoStartArmed(), errors.isEmpty()) << lines;
        const TMonitorState& state = monitor.State();
        EXPECT_EQ(
            std::tuple(state.Device.Community, state.Device.Version, state.Device.Security.Level),
            std::tuple(QString(errors.isEmpty() ? "public" : "cobalt"), version, level));
    }
}

}  // namespace
}  // namespace pulsewell

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "Monitor.h"
#include "QtPrinters.h"
#include "RecordingSoundPlayer.h"
#include "RecordingView.h"
#include "ScriptedDeviceReader.h"
#include "SettingsKey.h"
#include "StartProfile.h"
#include "TempHome.h"

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

    EXPECT_EQ(monitor.State().Host, "10.0.0.1");
    EXPECT_EQ(view.hosts, QStringList("10.0.0.1"));
    EXPECT_EQ(view.community, "public");
    EXPECT_EQ(view.bandwidth, "1000000");
    EXPECT_EQ(view.interfaces, QStringList("1"));
    EXPECT_TRUE(view.interfaceListEnabled);
    EXPECT_EQ(view.shownInterval, 30);
    EXPECT_EQ(monitor.State().IntervalSeconds, 30);
    EXPECT_TRUE(view.enabled[MonitorCommand::StartPolling]);
    EXPECT_TRUE(view.enabled[MonitorCommand::StopPolling]);
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
    EXPECT_EQ(view.hosts, QStringList("10.0.0.1"));
    EXPECT_EQ(view.bandwidth, "1000000");
    EXPECT_TRUE(view.enabled[MonitorCommand::StartPolling]);
    EXPECT_TRUE(view.enabled[MonitorCommand::StopPolling]);
    monitor.AutoStartTick();
    EXPECT_TRUE(monitor.IsPolling());
}

TEST_F(StartProfileTest, AMissingFileEmptiesTheHosts) {
    Write("hostfile.txt", "10.5.5.5\r\n");
    monitor.SetStartProfile("absent.ini");
    monitor.ResetAll();
    EXPECT_TRUE(view.hosts.isEmpty());
    EXPECT_EQ(view.hostText, "");
    EXPECT_EQ(monitor.State().Host, "10.5.5.5");
    EXPECT_FALSE(monitor.IsAutoStartArmed());
    EXPECT_TRUE(view.errors.isEmpty());
}

// Values as people write them; what the profile leaves out keeps the
// stored setting or the window's default.
TEST_F(StartProfileTest, ValuesAreReadAsPeopleWriteThem) {
    SettingsKey().Write(QStringLiteral("snmpversion"), QStringLiteral("2c"));
    const struct {
        const char* lines;
        SnmpVersion version;
        snmp::TV3Flags level;
        snmp::TV3Auth auth;
        const char* bandwidth;
    } cases[] = {
        {"", SnmpVersion::V2c, snmp::TV3Flags::AuthPriv, snmp::TV3Auth::AuthSHA1, "0"},
        {"Version=1\nbandwidth=\n", SnmpVersion::V1, snmp::TV3Flags::AuthPriv,
         snmp::TV3Auth::AuthSHA1, "0"},
        {"version=V3\nsecuritylevel=authnopriv\nauthprotocol=sha-256\nbandwidth=1.000\n",
         SnmpVersion::V3, snmp::TV3Flags::AuthNoPriv, snmp::TV3Auth::AuthSHA256, "1.000"},
        {"version=SNMPv2C\nsecuritylevel=NOAUTHNOPRIV\nauthprotocol=md5\n", SnmpVersion::V2c,
         snmp::TV3Flags::NoAuthNoPriv, snmp::TV3Auth::AuthMD5, "0"},
    };
    for (const auto& c : cases) {
        Write("site.ini", QByteArray("[Details]\nIP=10.0.0.1\n") + c.lines);
        monitor.SetStartProfile("site.ini");
        monitor.ResetAll();
        EXPECT_EQ(monitor.State().Version, c.version) << c.lines;
        EXPECT_EQ(monitor.State().Security.Level, c.level) << c.lines;
        EXPECT_EQ(monitor.State().Security.AuthProtocol, c.auth) << c.lines;
        EXPECT_EQ(view.bandwidth, c.bandwidth) << c.lines;
        EXPECT_TRUE(monitor.IsAutoStartArmed()) << c.lines;
    }
    EXPECT_TRUE(view.errors.isEmpty()) << view.errors.join('\n').toStdString();
}

// A value that names nothing is reported with its key and file, and nothing
// of the profile applies: polling with a guess sent requests unprotected.
TEST_F(StartProfileTest, ValuesThatNameNothingAreReportedAndPollingDoesNotStart) {
    SettingsKey().Write(QStringLiteral("snmpversion"), QStringLiteral("1"));
    const QString file = home.ProgramFolder() + "site.ini";
    const auto error = [&](const char* value, const char* key, const char* expected) {
        return QStringLiteral("'%1' is no valid value for '%2' in %3 (%4)")
            .arg(QLatin1String(value), QLatin1String(key), file, QLatin1String(expected));
    };
    const struct {
        const char* lines;
        QStringList errors;
    } cases[] = {
        {"securitylevel=authPrivacy\n",
         {error("authPrivacy", "securitylevel", "noAuthNoPriv, authNoPriv or authPriv")}},
        {"version=V4\nauthprotocol=SHA-1024\nprivprotocol=3DES\n",
         {error("V4", "version", "1, 2c or 3"),
          error("SHA-1024", "authprotocol", "MD5, SHA, SHA-224, SHA-256, SHA-384 or SHA-512"),
          error("3DES", "privprotocol", "DES, AES, AES-192, AES-256, AES-192-C or AES-256-C")}},
        {"interval=1\n", {error("1", "interval", "3, 6, 15, 30, 60, 120 or 300")}},
        {"Interface=eth0\nbandwidth=fast\n",
         {error("eth0", "Interface", "an interface number from 1 up"),
          error("fast", "bandwidth", "bits per second, a whole number from 0 up")}},
    };
    for (const auto& c : cases) {
        view.errors.clear();
        Write("site.ini", QByteArray("[Details]\nIP=10.0.0.1\ncommunity=public\n") + c.lines);
        monitor.SetStartProfile("site.ini");
        monitor.ResetAll();
        EXPECT_EQ(view.errors, QStringList(c.errors.join('\n'))) << c.lines;
        EXPECT_FALSE(monitor.IsAutoStartArmed()) << c.lines;
        EXPECT_FALSE(view.enabled[MonitorCommand::StartPolling]) << c.lines;
        EXPECT_NE(monitor.State().Community, "public") << c.lines;
        EXPECT_EQ(monitor.State().Version, SnmpVersion::V1) << c.lines;
    }
}

}  // namespace
}  // namespace pulsewell

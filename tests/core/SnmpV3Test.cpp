#include <gtest/gtest.h>

#include <QFile>

#include "core/Monitor.h"
#include "core/SnmpV3Security.h"
#include "core/device/DeviceObjects.h"
#include "core/settings/SettingsKey.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/fakes/SteppingClock.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

using snmp::TV3Auth;
using snmp::TV3Flags;
using snmp::TV3Priv;

const QString kAuthFailed =
    QStringLiteral("SNMPv3: authentication failed (wrong authentication passphrase or protocol)");

// A view whose keyring answers later, when the test says.
class KeyringView : public test::RecordingView {
  public:
    bool RequestV3Passphrases(const QString& user) override {
        asked.append(user);
        return true;
    }
    QStringList asked;
};

class SnmpV3MonitorTest : public ::testing::Test {
  protected:
    SnmpV3MonitorTest() {
        monitor.ResetAll();
        monitor.SetHost(QStringLiteral("10.0.0.3"));
        monitor.SetSnmpVersion(SnmpVersion::V3);
        security.User = QStringLiteral("monitor");
        security.AuthPassphrase = QStringLiteral("auth-passphrase");
        security.PrivPassphrase = QStringLiteral("priv-passphrase");
        monitor.SetSnmpSecurity(security);
        monitor.PollInterface(QStringLiteral("2"));
        test::UseSteppingClock(monitor);
    }
    void Write(const QString& name, const QByteArray& content) {
        QFile file(home.ProgramFolder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    test::TempHome home;
    KeyringView view;
    test::ScriptedDeviceReader reader;
    test::RecordingSoundPlayer player;
    Monitor monitor{view, reader, player};
    SnmpV3Security security;
};

TEST_F(SnmpV3MonitorTest, FailuresToContactTellTheAgentsCause) {
    reader.failureCause = kAuthFailed;
    monitor.OfferInterfaces({"2"});
    monitor.StartPolling();
    EXPECT_EQ(monitor.Status().statusText, "Failure contacting host! " + kAuthFailed);
    EXPECT_EQ(reader.version, SnmpVersion::V3);
    EXPECT_EQ(reader.security, security);

    monitor.FirstContact();
    EXPECT_EQ(monitor.Status().statusText, "Failure contacting device! " + kAuthFailed);

    // Silence has no cause: the hint of SNMPv2c, for SNMPv3.
    reader.failureCause.reset();
    monitor.StartPolling();
    EXPECT_EQ(monitor.Status().statusText,
              "Failure contacting host! The device did not answer in SNMPv3.");
}

TEST_F(SnmpV3MonitorTest, PollsReadTheWideCountersAndAStopTellsTheCause) {
    using namespace objects;
    reader.Answer(kIfSpeed + "2", "100000000");
    reader.Answer(kIfHCOutOctets + "2", "1000");
    reader.Answer(kIfHCInOctets + "2", "5000");
    monitor.SetContinueWithZeroes(false);
    monitor.SelectInterval(6);
    monitor.OfferInterfaces({"2"});
    monitor.StartPolling();
    monitor.SetBandwidth("100000000");
    reader.Answer(kIfHCOutOctets + "2", "7000");
    reader.Answer(kIfHCInOctets + "2", "17000");
    monitor.PollOnce();
    EXPECT_TRUE(monitor.State().Traffic.Wide);
    EXPECT_TRUE(monitor.Messages().LastLine().endsWith(
        "; IN bits/s: 16000; OUT bits/s: 8000; utilization: 0.02 %"))
        << monitor.Messages().LastLine().toStdString();

    reader.Silence(kIfHCInOctets + "2");
    reader.failureCause = kAuthFailed;
    monitor.PollOnce();
    EXPECT_FALSE(monitor.IsPolling());
    EXPECT_EQ(monitor.Status().statusText,
              "Failure contacting host! Polling stopped! " + kAuthFailed);
}

TEST_F(SnmpV3MonitorTest, WithoutWideCountersThePollSaysSoOverSnmpV3) {
    using namespace objects;
    reader.Answer(kIfSpeed + "2", "100000000");
    reader.Answer(kIfHCOutOctets + "2", "");  // noSuchObject
    reader.Answer(kIfHCInOctets + "2", "");
    reader.Answer(kIfOutOctets + "2", "10");
    reader.Answer(kIfInOctets + "2", "10");
    monitor.OfferInterfaces({"2"});
    monitor.StartPolling();
    EXPECT_EQ(monitor.Messages().Lines().value(0),
              "No 64-bit counters for interface 2: polling its 32-bit counters over SNMPv3");
}

TEST_F(SnmpV3MonitorTest, StoredSettingsAndAStartProfileSayWhoAsks) {
    SettingsKey key;
    key.Write("snmpversion", "3");
    key.Write("snmpv3user", "stored");
    key.Write("snmpv3level", "authNoPriv");
    key.Write("snmpv3authprotocol", "SHA-512");
    key.Write("snmpv3privprotocol", "no such protocol");  // the default stands
    key.Write("snmpv3context", "ctx");
    monitor.ResetAll();
    EXPECT_EQ(monitor.State().Device.Version, SnmpVersion::V3);
    EXPECT_EQ(monitor.Status().version, SnmpVersion::V3);
    const SnmpV3Security& stored = monitor.State().Device.Security;
    EXPECT_EQ(stored.User, "stored");
    EXPECT_EQ(stored.Level, TV3Flags::AuthNoPriv);
    EXPECT_EQ(stored.AuthProtocol, TV3Auth::AuthSHA512);
    EXPECT_EQ(stored.PrivProtocol, TV3Priv::PrivAES);
    EXPECT_EQ(stored.Context, "ctx");
    EXPECT_EQ(view.asked, QStringList("stored"));

    key.Write("snmpversion", "1");
    Write("site.ini",
          "[Details]\nIP=10.0.0.1\nversion=3\nuser=profiled\nsecuritylevel=authPriv\n"
          "authprotocol=sha256\nprivprotocol=AES-256-C\n");
    monitor.SetStartProfile("site.ini");
    monitor.ResetAll();
    const SnmpV3Security& profiled = monitor.State().Device.Security;
    EXPECT_EQ(monitor.State().Device.Version, SnmpVersion::V3);
    EXPECT_EQ(profiled.User, "profiled");
    EXPECT_EQ(profiled.Level, TV3Flags::AuthPriv);
    EXPECT_EQ(profiled.AuthProtocol, TV3Auth::AuthSHA256);
    EXPECT_EQ(profiled.PrivProtocol, TV3Priv::PrivAES256C);
    EXPECT_EQ(profiled.Context, "ctx");  // not in the profile: stored
    EXPECT_EQ(view.asked.last(), "profiled");
}

TEST_F(SnmpV3MonitorTest, AStartProfilesPollingWaitsForThePassphrases) {
    Write("site.ini", "[Details]\nIP=10.0.0.1\nInterface=2\nversion=3\nuser=profiled\n");
    reader.Answer(objects::kIfSpeed + "2", "100000000");
    monitor.SetStartProfile("site.ini");
    monitor.ResetAll();
    EXPECT_TRUE(monitor.IsAwaitingV3Passphrases());
    monitor.AutoStartTick();
    EXPECT_FALSE(monitor.IsPolling());

    monitor.SetV3Passphrases("someone else", "x", "y");  // a late answer for another user
    EXPECT_FALSE(monitor.IsPolling());
    monitor.SetV3Passphrases("profiled", "auth-passphrase", "priv-passphrase");
    EXPECT_TRUE(monitor.IsPolling());
    EXPECT_EQ(reader.security.AuthPassphrase, "auth-passphrase");
    EXPECT_EQ(reader.security.PrivPassphrase, "priv-passphrase");
}

TEST_F(SnmpV3MonitorTest, TheEnvironmentGivesPassphrasesBeforeTheKeyring) {
    qputenv(kAuthPassphraseVariable, "from-environment");
    Write("site.ini", "[Details]\nIP=10.0.0.1\nversion=3\nuser=profiled\n");
    monitor.SetStartProfile("site.ini");
    monitor.ResetAll();
    qunsetenv(kAuthPassphraseVariable);
    EXPECT_FALSE(monitor.IsAwaitingV3Passphrases());
    EXPECT_TRUE(view.asked.isEmpty());
    EXPECT_EQ(monitor.State().Device.Security.AuthPassphrase, "from-environment");
    EXPECT_EQ(monitor.State().Device.Security.PrivPassphrase, "");
}

}  // namespace
}  // namespace pulsewell

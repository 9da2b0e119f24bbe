#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "cli/CliArguments.h"
#include "tests/support/QtPrinters.h"

namespace pulsewell::cli {
namespace {

PollOptions Poll(const QString& line) {
    return ParsePollArguments(line.split(u' ', Qt::SkipEmptyParts));
}

TEST(PollArgumentsTest, DefaultsLeaveUnitAndPolicyToTheStoredSettings) {
    const PollOptions options = Poll("--host 10.0.0.1 --interface 3");
    EXPECT_EQ(options.host, "10.0.0.1");
    EXPECT_EQ(options.interface, "3");
    EXPECT_EQ(options.community, "cobalt");
    EXPECT_FALSE(options.bandwidth.has_value());  // the interface's speed
    EXPECT_EQ(options.interval, 6);
    EXPECT_EQ(options.format, OutputFormat::Text);
    EXPECT_FALSE(options.connection.timeoutSeconds || options.connection.retries);
    EXPECT_FALSE(options.count.has_value());
    EXPECT_FALSE(options.showBytes.has_value());
    EXPECT_FALSE(options.continueOnErrors.has_value());
    EXPECT_FALSE(options.log);
    EXPECT_FALSE(options.debugLog);
}

TEST(PollArgumentsTest, EveryOptionInBothSpellings) {
    const PollOptions options = Poll(
        "--host=[::1]:1161 --interface 007 --community=pri=vate --bandwidth 100.000.000 "
        "--interval=300 --count 5 --bytes --stop-on-errors --log --debug-log "
        "--snmp-version=2c --format=json --timeout 600 --retries=0");
    EXPECT_EQ(options.host, "[::1]:1161");
    EXPECT_EQ(options.interface, "7");  // as the log file names will carry it
    EXPECT_EQ(options.community, "pri=vate");
    EXPECT_EQ(options.bandwidth, "100.000.000");
    EXPECT_EQ(options.interval, 300);
    EXPECT_EQ(options.count, 5);
    EXPECT_EQ(options.showBytes, true);
    EXPECT_EQ(options.continueOnErrors, false);
    EXPECT_TRUE(options.log);
    EXPECT_TRUE(options.debugLog);
    EXPECT_EQ(options.snmpVersion, SnmpVersion::V2c);
    EXPECT_EQ(options.format, OutputFormat::Json);
    EXPECT_EQ(options.connection.timeoutSeconds, 600);
    EXPECT_EQ(options.connection.retries, 0);
    EXPECT_EQ(Poll("--host h --interface 1 --snmp-version 1").snmpVersion, SnmpVersion::V1);
    EXPECT_FALSE(Poll("--host h --interface 1").snmpVersion.has_value());
    EXPECT_EQ(Poll("--host h --interface 1 --bits --continue-on-errors --bits").showBytes, false);
    EXPECT_EQ(Poll("--host h --interface 1 --continue-on-errors").continueOnErrors, true);
}

TEST(PollArgumentsTest, WrongArgumentsSayWhatIsWrong) {
    const std::pair<const char*, const char*> cases[] = {
        {"--interface 1", "--host is required"},
        {"--host h", "--interface is required"},
        {"--host h --interface", "--interface needs a value"},
        {"--host h --interface 0", "--interface must be a whole number above 0, not \"0\""},
        {"--host h --interface eth0", "--interface must be a whole number above 0, not \"eth0\""},
        {"--host h --interface 2147483648", "--interface 2147483648 is beyond any interface index"},
        {"--host h --interface 1 --interval 5",
         "--interval must be one of 1, 3, 6, 15, 30, 60, 120, 300, not \"5\""},
        {"--host h --interface 1 --count -1", "--count must be a whole number above 0, not \"-1\""},
        {"--host h --interface 1 --bandwidth 1e9",
         "--bandwidth must be bits per second, not \"1e9\""},
        {"--host h --interface 1 --bandwidth -5",
         "--bandwidth must be bits per second, not \"-5\""},
        {"--host h --interface 1 --bytes --bits", "--bytes and --bits exclude each other"},
        {"--host h --interface 1 --stop-on-errors --continue-on-errors",
         "--stop-on-errors and --continue-on-errors exclude each other"},
        {"--host h --interface 1 --log=yes", "unknown argument \"--log=yes\""},
        {"--host h --interface 1 extra", "unknown argument \"extra\""},
        {"--host h --interface 1 --snmp-version 2", "--snmp-version must be 1, 2c or 3, not \"2\""},
        {"--host h --interface 1 --snmp-version 2d",
         "--snmp-version must be 1, 2c or 3, not \"2d\""},
        {"--host h --interface 1 --format CSV", "--format must be text, csv or json, not \"CSV\""},
        {"--host h --interface 1 --timeout 1.5",
         "--timeout must be a whole number from 1 to 600, not \"1.5\""},
        {"--host h --interface 1 --retries 11",
         "--retries must be a whole number from 0 to 10, not \"11\""},
    };
    for (const auto& [line, message] : cases) {
        try {
            Poll(QString::fromUtf8(line));
            ADD_FAILURE() << "accepted: " << line;
        } catch (const UsageError& error) {
            EXPECT_STREQ(error.what(), message) << line;
        }
    }
}

TEST(DiscoverArgumentsTest, HostRequiredCommunityOptional) {
    const DiscoverOptions options =
        ParseDiscoverArguments({"--community", "public", "--host", "192.0.2.1"});
    EXPECT_EQ(options.host, "192.0.2.1");
    EXPECT_EQ(options.community, "public");
    EXPECT_EQ(ParseDiscoverArguments({"--host", "h"}).community, "cobalt");
    EXPECT_EQ(ParseDiscoverArguments({"--host", "h", "--snmp-version", "2c"}).snmpVersion,
              SnmpVersion::V2c);
    EXPECT_THROW(ParseDiscoverArguments({"--host", "h", "--snmp-version", "v2"}), UsageError);
    EXPECT_THROW(ParseDiscoverArguments({}), UsageError);
    EXPECT_THROW(ParseDiscoverArguments({"--host", "h", "--interface", "1"}), UsageError);
    EXPECT_EQ(ParseDiscoverArguments({"--host", "h", "--timeout", "2"}).connection.timeoutSeconds,
              2);
}

TEST(CheckArgumentsTest, WrongArgumentsSayWhatIsWrong) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--host", "h", "--interface", "4", "--interval", "301"},
         "--interval must be a whole number from 1 to 300, not \"301\""},
        {{"--host", "h", "--interface", "4", "--warning", "70,5"},
         "--warning must be a utilization in percent, not \"70,5\""},
        {{"--host", "h", "--interface", "4", "--critical", "-1"},
         "--critical must be a utilization in percent, not \"-1\""},
        {{"--host", "h", "--interface", "4", "--count", "2"}, "unknown argument \"--count\""},
    };
    for (const auto& [arguments, message] : cases) {
        try {
            ParseCheckArguments(arguments);
            ADD_FAILURE() << "accepted: " << message;
        } catch (const UsageError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
}

TEST(TopArgumentsTest, WrongArgumentsSayWhatIsWrong) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--host", "h", "--interval", "0"},
         "--interval must be a whole number from 1 to 3600, not \"0\""},
        {{"--host", "h", "--sort", "speed"},
         "--sort must be util, in, out, errors or name, not \"speed\""},
        {{"--host", "h", "--interfaces", ""}, "--interfaces needs indexes or a name pattern"},
        {{"--host", "h", "--format", "xml"}, "--format must be text, csv or json, not \"xml\""},
        {{"--host", "h", "--interface", "2"}, "unknown argument \"--interface\""},
        {{"--sort", "name"}, "--host is required"},
    };
    for (const auto& [arguments, message] : cases) {
        try {
            ParseTopArguments(arguments);
            ADD_FAILURE() << "accepted: " << message;
        } catch (const UsageError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
}

DiscoverOptions Discover(const QString& line) {
    return ParseDiscoverArguments(line.split(u' ', Qt::SkipEmptyParts));
}

// The passphrase variables as a test sets them, unset again at its end.
class ConnectionArgumentsTest : public ::testing::Test {
  protected:
    ConnectionArgumentsTest() {
        qputenv(kAuthPassphraseVariable, "auth-from-environment");
        qputenv(kPrivPassphraseVariable, "priv-from-environment");
    }
    ~ConnectionArgumentsTest() override {
        qunsetenv(kAuthPassphraseVariable);
        qunsetenv(kPrivPassphraseVariable);
    }
    QString File(const QByteArray& content) {
        const QString path = dir.filePath(QString::number(++files));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }
    QTemporaryDir dir;
    int files = 0;
};

TEST_F(ConnectionArgumentsTest, SnmpV3OptionsChooseVersion3AndTheLevelFollowsTheProtocols) {
    using snmp::TV3Flags;
    const DiscoverOptions both = Discover(
        "--host h --user monitor --auth-protocol sha-256 --priv-protocol AES256C "
        "--context=ctx");
    EXPECT_EQ(both.snmpVersion, SnmpVersion::V3);
    ASSERT_TRUE(both.connection.security.has_value());
    EXPECT_EQ(both.connection.security->User, "monitor");
    EXPECT_EQ(both.connection.security->Level, TV3Flags::AuthPriv);
    EXPECT_EQ(both.connection.security->AuthProtocol, snmp::TV3Auth::AuthSHA256);
    EXPECT_EQ(both.connection.security->PrivProtocol, snmp::TV3Priv::PrivAES256C);
    EXPECT_EQ(both.connection.security->Context, "ctx");
    EXPECT_EQ(both.connection.security->AuthPassphrase, "");  // never kept beside the rest
    EXPECT_EQ(both.connection.authPassphrase, "auth-from-environment");
    EXPECT_EQ(both.connection.privPassphrase, "priv-from-environment");

    EXPECT_EQ(Discover("--host h --user u --auth-protocol MD5").connection.security->Level,
              TV3Flags::AuthNoPriv);
    EXPECT_EQ(Discover("--host h --user u").connection.security->Level, TV3Flags::NoAuthNoPriv);
    EXPECT_EQ(Discover("--host h --user u --auth-protocol SHA --priv-protocol DES "
                       "--security-level authNoPriv")
                  .connection.security->Level,
              TV3Flags::AuthNoPriv);
    const PollOptions poll =
        Poll("--host h --interface 1 --snmp-version 3 --user u --auth-protocol SHA");
    EXPECT_EQ(poll.snmpVersion, SnmpVersion::V3);
    EXPECT_EQ(poll.connection.security->AuthProtocol, snmp::TV3Auth::AuthSHA1);

    // Version 3 without --user: the stored SNMPv3 settings, with this run's passphrases.
    const DiscoverOptions stored = Discover("--host h --snmp-version 3");
    EXPECT_FALSE(stored.connection.security.has_value());
    EXPECT_EQ(stored.connection.authPassphrase, "auth-from-environment");
    EXPECT_FALSE(Discover("--host h --snmp-version 2c").connection.authPassphrase.has_value());
}

TEST_F(ConnectionArgumentsTest, PassphraseFilesGoBeforeTheEnvironment) {
    const QString auth = File("first line\r\nsecond line\n");
    const QString priv = File("ünïcode passphrase");
    const DiscoverOptions options = Discover(
        "--host h --user u --auth-protocol SHA --priv-protocol AES "
        "--auth-passphrase-file " +
        auth + " --priv-passphrase-file=" + priv);
    EXPECT_EQ(options.connection.authPassphrase, "first line");
    EXPECT_EQ(options.connection.privPassphrase, QString::fromUtf8("ünïcode passphrase"));
}

TEST_F(ConnectionArgumentsTest, WrongSnmpV3ArgumentsSayWhatIsWrong) {
    const QString empty = File("\nsecond line");
    const QString missing = dir.filePath("missing");
    const std::pair<QString, QString> cases[] = {
        {"--snmp-version 2c --user u", "the SNMPv3 options go with --snmp-version 3, not 2c"},
        {"--auth-protocol SHA",
         "--security-level, --auth-protocol, --priv-protocol and "
         "--context need --user"},
        {"--user u --auth-protocol SHA1024",
         "--auth-protocol must be one of MD5, SHA, SHA-224, SHA-256, SHA-384, SHA-512, not "
         "\"SHA1024\""},
        {"--user u --priv-protocol 3DES",
         "--priv-protocol must be one of DES, AES, AES-192, AES-256, AES-192-C, AES-256-C, not "
         "\"3DES\""},
        {"--user u --security-level authpriv2",
         "--security-level must be one of noAuthNoPriv, authNoPriv, authPriv, not "
         "\"authpriv2\""},
        {"--user u --priv-protocol AES",
         "--priv-protocol needs --auth-protocol: SNMPv3 has no "
         "privacy without authentication"},
        {"--user u --security-level authNoPriv",
         "--security-level authNoPriv needs "
         "--auth-protocol"},
        {"--user u --security-level authPriv --auth-protocol SHA",
         "--security-level authPriv needs --priv-protocol"},
        {"--user u --auth-protocol SHA --auth-passphrase-file " + missing,
         "--auth-passphrase-file: cannot read \"" + missing + "\": No such file or directory"},
        {"--user u --auth-protocol SHA --priv-protocol AES --priv-passphrase-file " + empty,
         "--priv-passphrase-file: \"" + empty + "\" holds no passphrase on its first line"},
    };
    for (const auto& [line, message] : cases) {
        try {
            Discover("--host h " + line);
            ADD_FAILURE() << "accepted: " << line.toStdString();
        } catch (const UsageError& error) {
            EXPECT_EQ(QString::fromUtf8(error.what()), message) << line.toStdString();
        }
    }

    qunsetenv(kAuthPassphraseVariable);
    try {
        Discover("--host h --user u --auth-protocol SHA");
        ADD_FAILURE() << "accepted without an authentication passphrase";
    } catch (const UsageError& error) {
        EXPECT_STREQ(error.what(),
                     "--security-level authNoPriv needs the authentication passphrase: set "
                     "PULSEWELL_AUTH_PASSPHRASE or give --auth-passphrase-file FILE");
    }
}

}  // namespace
}  // namespace pulsewell::cli

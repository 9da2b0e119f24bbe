#include <gtest/gtest.h>

#include "CliArguments.h"
#include "QtPrinters.h"

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
        {"--host h --interface 1 --snmp-version 2", "--snmp-version must be 1 or 2c, not \"2\""},
        {"--host h --interface 1 --snmp-version 2C", "--snmp-version must be 1 or 2c, not \"2C\""},
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
    EXPECT_THROW(ParseDiscoverArguments({"--host", "h", "--snmp-version", "v2c"}), UsageError);
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

}  // namespace
}  // namespace pulsewell::cli

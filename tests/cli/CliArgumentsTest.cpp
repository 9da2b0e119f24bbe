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
    EXPECT_EQ(options.bandwidth, "0");
    EXPECT_EQ(options.interval, 6);
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
        "--snmp-version=2c");
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
}

}  // namespace
}  // namespace pulsewell::cli

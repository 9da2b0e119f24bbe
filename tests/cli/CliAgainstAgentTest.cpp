#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include "core/MonitorState.h"
#include "core/polling/TrafficLogs.h"
#include "tests/support/CliCommand.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

QString AgentHost() {
    return QString::fromStdString(test::TestAgentAddress());
}

// The poll command, and the totals line it ends with.
class CliPoll : public test::CliCommand {
  protected:
    void Start(const QStringList& arguments) { Launch(QStringLiteral("poll"), arguments); }
    // IN, OUT and combined of the totals line, which must be the last line.
    std::array<qint64, 3> Totals() const {
        static const QRegularExpression form(
            QStringLiteral("^Total traffic transferred IN: (\\d+) bytes; OUT: (\\d+) bytes; "
                           "combined: (\\d+) bytes$"));
        const QRegularExpressionMatch match = form.match(out.isEmpty() ? QString() : out.last());
        EXPECT_TRUE(match.hasMatch()) << out.join(u'\n').toStdString();
        return {match.captured(1).toLongLong(), match.captured(2).toLongLong(),
                match.captured(3).toLongLong()};
    }
};

// Sends count datagrams of size bytes through the loopback interface.
void SendThroughLoopback(int count, int size) {
    const int receiver = ::socket(AF_INET, SOCK_DGRAM, 0);
    const int sender = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(receiver, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(::getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string payload(static_cast<std::size_t>(size), 'x');
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(::sendto(sender, payload.data(), payload.size(), 0,
                           reinterpret_cast<sockaddr*>(&address), length),
                  size);
    }
    ::close(sender);
    ::close(receiver);
}

TEST_F(CliPoll, TotalsAccountForEveryByteSentThroughLoopback) {
    Start({"--host", AgentHost(), "--community", "public", "--interface", "1", "--interval", "1",
           "--count", "4"});
    WaitForStdoutLine();  // the second poll has measured; the rest of the run counts
    constexpr int kDatagrams = 200;
    constexpr int kPayload = 1000;
    SendThroughLoopback(kDatagrams, kPayload);
    ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();

    // Loopback counts each datagram with its 20 bytes of IP and 8 of UDP
    // header (no link header), once received and once sent.
    constexpr qint64 kSent = kDatagrams * (kPayload + 28);
    // Besides: the polls' own requests and replies, and whatever else runs
    // on this machine's loopback meanwhile (other tests' agents), which can
    // be tens of kilobytes but not another whole burst: a burst counted twice
    // still fails.
    const auto [in, out, combined] = Totals();
    EXPECT_GE(in, kSent);
    EXPECT_LT(in, 2 * kSent);
    EXPECT_GE(out, kSent);
    EXPECT_LT(out, 2 * kSent);
    EXPECT_EQ(combined, in + out);
    EXPECT_EQ(this->out.size(), 4);  // three traffic lines, then the totals
    EXPECT_TRUE(err.contains("status: Polling stopped after 4 polls."));
}

TEST_F(CliPoll, StopByErrorPrintsTheTotalsAndFails) {
    constexpr int kIfIndex = 12;
    test::SetAgentInterfaceValue(kIfIndex, "ifInOctets", "5000");
    test::SetAgentInterfaceValue(kIfIndex, "ifOutOctets", "7000");
    Start({"--host", AgentHost(), "--community", "public", "--interface", QString::number(kIfIndex),
           "--interval", "1", "--stop-on-errors"});
    WaitForStdoutLine();
    test::RemoveAgentInterfaceValue(kIfIndex, "ifInOctets");
    const int exitCode = Finish();
    test::ResetAgentState();

    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(Totals(), (std::array<qint64, 3>{0, 0, 0}));
    ASSERT_FALSE(err.isEmpty());
    EXPECT_TRUE(err.last() == "status: Failure contacting host! Polling stopped!" ||
                err.last() == "status: No values from host! Polling stopped!")
        << err.last().toStdString();
}

TEST_F(CliPoll, FailedProbeEndsBeforePolling) {
    // A port of the loopback where nothing listens.
    ShortenTimeouts();
    Start({"--host", "127.0.0.1:9", "--interface", "1", "--count", "1"});
    EXPECT_EQ(Finish(), 1);
    EXPECT_TRUE(out.isEmpty()) << out.join(u'\n').toStdString();
    EXPECT_EQ(err, QStringList("status: Failure contacting host!"));
}

TEST_F(CliPoll, TerminationStopsLikeTheStopButton) {
    Start({"--host", AgentHost(), "--community", "public", "--interface", "2", "--interval", "1"});
    WaitForStdoutLine();
    process.terminate();
    EXPECT_EQ(Finish(), 0);
    Totals();
    EXPECT_EQ(err.last(), "status: Polling stopped by user.");
}

TEST_F(CliPoll, LogsAreWrittenOnlyWhereTheWindowAllowsThem) {
    LogSubject logs;
    logs.Host = AgentHost();
    logs.InterfaceNumber = QStringLiteral("2");
    const QString trafficLog = TrafficLogPath(home.ProgramFolder(), logs);
    const QString debugLog = DebugLogPath(home.ProgramFolder(), logs);
    const QStringList common = {"--host", AgentHost(), "--community", "public", "--interface",
                                "2",      "--count",   "1",           "--log",  "--debug-log"};

    Start(common + QStringList{"--interval", "3"});
    EXPECT_EQ(Finish(), 0);
    EXPECT_TRUE(err.contains("note: no log files are written at intervals of 1 and 3 seconds"));
    // The poll went into the history file all the same.
    EXPECT_EQ(QDir(home.ProgramFolder()).entryList(QDir::Files), QStringList{"history.sqlite"});

    Start(common + QStringList{"--interval", "6"});
    EXPECT_EQ(Finish(), 0);
    EXPECT_TRUE(QFile::exists(trafficLog)) << trafficLog.toStdString();
    EXPECT_TRUE(QFile::exists(debugLog)) << debugLog.toStdString();
}

// Why polling ended, or never began, in one line; the usage only where the
// command line's form is wrong.
TEST_F(CliPoll, EndsSayWhyInOneLine) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--count", "2", "--bandwidth", "0"},
         "note: bandwidth 0: the utilization is not computed"},
        {{"--interface", "99"}, "error: the device has no interface 99"},
        {{"--interface", "99", "--bandwidth", "1000"}, "error: the device has no interface 99"},
        {{"--interval", "7"},
         "pulsewell-cli: --interval must be one of 1, 3, 6, 15, 30, 60, 120, 300, not \"7\""},
        {{"--user", "u", "--auth-protocol", "SHA"},
         "pulsewell-cli: --security-level authNoPriv needs the authentication passphrase: set "
         "PULSEWELL_AUTH_PASSPHRASE or give --auth-passphrase-file FILE"},
        {{"--counts", "3"}, "pulsewell-cli: unknown argument \"--counts\""},
    };
    for (const auto& [arguments, line] : cases) {
        SCOPED_TRACE(line);
        Start(QStringList{"--host", AgentHost(), "--community", "public", "--interface", "2",
                          "--interval", "1"} +
              arguments);
        EXPECT_EQ(Finish(), line[0] == 'n' ? 0 : line[0] == 'e' ? 1 : 2);
        EXPECT_EQ(err.count(line), 1) << err.join(u'\n').toStdString();
        EXPECT_EQ(err.contains("usage:"), QString(line).contains("unknown argument"));
    }
}

using CliOption = test::CliCommand;

TEST_F(CliOption, HelpAndVersionGoToStandardOutput) {
    const std::pair<const char*, const char*> cases[] = {
        {"--help", "usage:"},
        {"-h", "usage:"},
        {"--version", "pulsewell-cli (Pulsewell) 1.5.0.2"},
    };
    for (const auto& [option, firstLine] : cases) {
        Launch(option, {});
        EXPECT_EQ(Finish(), 0) << option;
        EXPECT_EQ(out.value(0), firstLine) << option;
        EXPECT_TRUE(err.isEmpty()) << option << ": " << err.join(u'\n').toStdString();
    }
}

using CliDiscover = test::CliCommand;

TEST_F(CliDiscover, PrintsTheInterfaceTableAsExported) {
    test::ResetAgentState();
    Launch("discover", {"--host", AgentHost(), "--community", "public"});
    EXPECT_EQ(Finish(), 0);
    EXPECT_EQ(out, (QStringList{
                       "Interface; Description; Speed; Duplex; MAC Address; MTU; AdminStatus; "
                       "OperStatus; ifType; ",
                       "1; lo; 10,000,000; unknown; No MAC available; 65536; up; up; "
                       "softwareLoopback (24); ",
                       "2; eth0; 100,000,000; unknown; 00 1A 2B 00 00 01 ; 1500; up; up; "
                       "ethernet-csmacd (6); ",
                   }));
    EXPECT_TRUE(err.isEmpty()) << err.join(u'\n').toStdString();
}

TEST_F(CliDiscover, SilentDeviceFailsWithItsStatus) {
    ShortenTimeouts();
    Launch("discover", {"--host", "127.0.0.1:9"});
    EXPECT_EQ(Finish(), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(err, QStringList("status: Failure contacting device!"));
}

TEST_F(CliDiscover, UnknownCommandShowsTheUsage) {
    Launch("discovery", {"--host", AgentHost()});
    EXPECT_EQ(Finish(), 2);
    ASSERT_FALSE(err.isEmpty());
    EXPECT_EQ(err.first(), "pulsewell-cli: unknown command \"discovery\"");
}

}  // namespace
}  // namespace pulsewell

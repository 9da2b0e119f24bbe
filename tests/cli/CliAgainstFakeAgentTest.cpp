#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <mutex>
#include <thread>

#include "snmp/Ber.h"
#include "tests/snmp/FakeAgent.h"
#include "tests/support/CliProgram.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

const std::string kIfIndex = "1.3.6.1.2.1.2.2.1.1";
const std::string kIfNumber = "1.3.6.1.2.1.2.1.0";

// An agent whose index column never ends: every get-next under it gives the
// next higher index, a get-bulk as many as it asks (up to a datagram's
// worth). Its interface count, if it has one, is `count`.
test::FakeAgent::Script EndlessIndexes(const std::string& count) {
    return [count](const snmp::TSNMPRec& request, int) -> std::vector<test::FakeAgent::Datagram> {
        const snmp::TSNMPMib asked = request.Bindings().front();
        if (request.PDUType == snmp::pdu::GetNextRequest ||
            request.PDUType == snmp::pdu::GetBulkRequest) {
            const std::size_t index = asked.ObjectId.size() > kIfIndex.size()
                                          ? std::stoul(asked.ObjectId.substr(kIfIndex.size() + 1))
                                          : 0;
            const int steps = request.PDUType == snmp::pdu::GetBulkRequest
                                  ? std::clamp(request.ErrorIndex, 1, 2000)
                                  : 1;
            std::vector<snmp::TSNMPMib> next;
            for (int step = 1; step <= steps; ++step) {
                const std::string at = std::to_string(index + static_cast<std::size_t>(step));
                next.push_back({kIfIndex + "." + at, at, snmp::ber::Integer});
            }
            return {{test::ResponseTo(request, next)}};
        }
        if (asked.ObjectId == kIfNumber && !count.empty()) {
            return {{test::ResponseTo(request, {{asked.ObjectId, count, snmp::ber::Integer}})}};
        }
        if (asked.ObjectId == kIfNumber) {
            return {{test::ResponseTo(request, {asked}, 2, 1)}};  // noSuchName
        }
        return {{test::ResponseTo(request, {{asked.ObjectId, "4200", snmp::ber::TimeTicks}})}};
    };
}

// Ends with exit code 1 and an error line in time, whatever the agent
// reports as its interface count. The walk without a count goes by GetBulk:
// a hundred thousand GetNext round trips would take the test half a minute.
TEST(CliDiscoverAgainstABrokenAgent, EndlessIndexColumnEndsWithAnError) {
    struct Case {
        std::string count;
        QString version;
        const char* error;
    };
    const Case cases[] = {
        {"3", "1", "error: Discovery stopped: the device lists more than 1006 interfaces."},
        {"", "2c", "error: Discovery stopped: the device lists more than 100000 interfaces."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        test::TempHome home;
        test::FakeAgent agent(EndlessIndexes(c.count));
        QProcess cli;
        cli.start(test::CliProgram(),
                  {"discover", "--host", QString::fromStdString(agent.Address()), "--community",
                   "public", "--snmp-version", c.version});
        ASSERT_TRUE(cli.waitForFinished(30000)) << "still running after 30 s";
        EXPECT_EQ(cli.exitCode(), 1);
        EXPECT_EQ(
            QString::fromLocal8Bit(cli.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts),
            QStringList{QString::fromUtf8(c.error)});
        EXPECT_TRUE(cli.readAllStandardOutput().isEmpty());
    }
}

// Ctrl-C while a poll waits for a silent device ends the program at once,
// with the totals as Stop reports them.
TEST(CliPollAgainstASilentAgent, InterruptEndsAtOnceWithTheTotals) {
    const std::string speed = "1.3.6.1.2.1.2.2.1.5.1";
    test::TempHome home;
    test::FakeAgent agent(
        [&](const snmp::TSNMPRec& request, int) -> std::vector<test::FakeAgent::Datagram> {
            if (request.Bindings().front().ObjectId == speed) {
                return {{test::ResponseTo(request, {{speed, "100000000", snmp::ber::Gauge}})}};
            }
            return {};
        });
    QProcess cli;
    cli.start(test::CliProgram(), {"poll", "--host", QString::fromStdString(agent.Address()),
                                   "--interface", "1", "--interval", "6"});
    ASSERT_TRUE(cli.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    while (agent.RequestCount() < 2) {  // the probe, then the first counter read
        ASSERT_LT(clock.elapsed(), 10000);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    clock.restart();
    ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
    ASSERT_TRUE(cli.waitForFinished(10000));
    EXPECT_LT(clock.elapsed(), 1000);  // the read alone would wait 5 s
    EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli.exitCode(), 1);  // the device never gave a reading
    EXPECT_EQ(QString::fromLocal8Bit(cli.readAllStandardOutput()),
              "Total traffic transferred IN: 0 bytes; OUT: 0 bytes; combined: 0 bytes\n");
}

// Every command sends an unanswered request --retries more times, each
// waiting --timeout seconds, and then gives up.
TEST(CliAgainstASilentAgent, TimeoutAndRetriesReachEveryCommand) {
    struct Case {
        QStringList arguments;
        int requests;
        int exitCode;
    };
    const Case cases[] = {
        {{"discover", "--timeout", "1", "--retries", "2"}, 3, 1},
        {{"info", "--timeout=1", "--retries=1"}, 2, 1},
        {{"poll", "--interface", "1", "--timeout", "1", "--retries", "2"}, 3, 1},
        {{"check", "--interface", "1", "--timeout", "1", "--retries", "1"}, 2, 3},
        {{"check", "--interface", "1", "--timeout", "1", "--bandwidth", "1000", "--retries", "1"},
         2,
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        test::TempHome home;
        std::mutex mutex;
        std::vector<std::chrono::steady_clock::time_point> arrivals;
        test::FakeAgent agent([&](const snmp::TSNMPRec&, int) {
            std::lock_guard lock(mutex);
            arrivals.push_back(std::chrono::steady_clock::now());
            return std::vector<test::FakeAgent::Datagram>{};
        });
        QProcess cli;
        cli.start(test::CliProgram(),
                  c.arguments + QStringList{"--host", QString::fromStdString(agent.Address())});
        ASSERT_TRUE(cli.waitForFinished(20000));
        EXPECT_EQ(cli.exitCode(), c.exitCode);
        std::lock_guard lock(mutex);
        ASSERT_EQ(static_cast<int>(arrivals.size()), c.requests);
        for (std::size_t i = 1; i < arrivals.size(); ++i) {
            const auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(arrivals[i] -
                                                                                   arrivals[i - 1]);
            EXPECT_GE(gap.count(), 950) << i;
            EXPECT_LT(gap.count(), 1900) << i;
        }
    }
}

// A device's text cannot start a second status line, nor "|" more performance data.
TEST(CliCheckAgainstAHostileAgent, DeviceTextInTheReasonIsEscaped) {
    test::TempHome home;
    test::FakeAgent agent([&](const snmp::TSNMPRec& request, int) {
        const std::string oid = request.Bindings().front().ObjectId;
        return std::vector<test::FakeAgent::Datagram>{{test::ResponseTo(
            request, {oid.ends_with("2.2.1.5.1")
                          ? snmp::TSNMPMib{oid, "1000", snmp::ber::Gauge}
                          : snmp::TSNMPMib{oid, "1|x=1\nPULSEWELL OK", snmp::ber::OctetString}})}};
    });
    QProcess cli;
    cli.start(test::CliProgram(),
              {"check", "--host", QString::fromStdString(agent.Address()), "--interface", "1"});
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 3);
    EXPECT_EQ(QString::fromLocal8Bit(cli.readAllStandardOutput()),
              "PULSEWELL UNKNOWN - '1\\x7cx=1\\x0aPULSEWELL OK' ist kein gültiger Integerwert\n");
}

// top against a device that never answers: Ctrl-C ends a sweep's wait at
// once, and without it each sweep gives up after its one unanswered request
// and says so; neither has anything to show but that.
TEST(CliTopAgainstASilentAgent, EndsAtOnceOrAfterItsSweeps) {
    struct Case {
        QStringList arguments;
        bool interrupt;
        int noAnswerLines;
        qint64 mostMs;
    };
    const Case cases[] = {
        {{"--interval", "6"}, true, 0, 1000},  // the request alone would wait 5 s
        {{"--interval", "1", "--count", "2", "--timeout", "1", "--retries", "0"}, false, 2, 5000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        test::TempHome home;
        test::FakeAgent agent(
            [](const snmp::TSNMPRec&, int) { return std::vector<test::FakeAgent::Datagram>(); });
        QProcess cli;
        cli.start(test::CliProgram(),
                  QStringList{"top", "--host", QString::fromStdString(agent.Address()),
                              "--snmp-version", "2c"} +
                      c.arguments);
        ASSERT_TRUE(cli.waitForStarted());
        QElapsedTimer clock;
        clock.start();
        if (c.interrupt) {
            while (agent.RequestCount() < 1) {
                ASSERT_LT(clock.elapsed(), 10000);
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
            clock.restart();
            ::kill(static_cast<pid_t>(cli.processId()), SIGINT);
        }
        ASSERT_TRUE(cli.waitForFinished(20000));
        EXPECT_LT(clock.elapsed(), c.mostMs);
        EXPECT_EQ(cli.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(cli.exitCode(), 1);
        const QString out = QString::fromLocal8Bit(cli.readAllStandardOutput());
        EXPECT_EQ(out.count("  no answer\n"), c.noAnswerLines) << out.toStdString();
        EXPECT_EQ(out.count("Index Name"), c.noAnswerLines) << out.toStdString();
    }
}

}  // namespace
}  // namespace pulsewell

#include <gtest/gtest.h>

#include "Ber.h"
#include "FakeAgent.h"
#include "OneShot.h"
#include "SnmpSynapse.h"

using namespace pulsewell::snmp;
using pulsewell::test::FakeAgent;
using pulsewell::test::ResponseTo;
using pulsewell::test::ResponseWithId;
using Datagrams = std::vector<FakeAgent::Datagram>;

namespace {

const char* kSpeed = "1.3.6.1.2.1.2.2.1.5.2";
const char* kDescr = "1.3.6.1.2.1.2.2.1.2.2";

// Answers every request for kSpeed with 100000000 and anything else with "eth0".
Datagrams Echo(const TSNMPRec& request) {
    const std::string oid = request.Bindings().empty() ? "" : request.Bindings()[0].ObjectId;
    if (oid == kSpeed) {
        return {{ResponseTo(request, {{oid, "100000000", ber::Gauge}})}};
    }
    return {{ResponseTo(request, {{oid, "eth0", ber::OctetString}})}};
}

struct Recorder {
    std::vector<std::pair<std::string, int>> timeouts;
    std::vector<std::string> skipped;
    std::vector<std::pair<int, int>> progress;
    int throttles = 0;

    void Attach(TSNMPSynapse& synapse) {
        synapse.OnTimeout = [this](TSNMPSynapse&, const std::string& host, int retry) {
            timeouts.emplace_back(host, retry);
        };
        synapse.OnBlockNoResponse = [this](TSNMPSynapse&, const std::string& host) {
            skipped.push_back(host);
        };
        synapse.OnProgress = [this](TSNMPSynapse&, int position, int max) {
            progress.emplace_back(position, max);
        };
        synapse.OnThrottle = [this](TSNMPSynapse&) { ++throttles; };
    }
};

}  // namespace

TEST(Synapse, Defaults) {
    TSNMPSynapse synapse;
    EXPECT_FALSE(synapse.BlockNoResponse());
    EXPECT_EQ(synapse.Community(), "cobalt");
    EXPECT_TRUE(synapse.HostList().empty());
    EXPECT_FALSE(synapse.Progress());
    EXPECT_EQ(synapse.Retry(), 1);
    EXPECT_EQ(synapse.Throttle(), 20);
    EXPECT_EQ(synapse.Timeout(), 2000);
    EXPECT_EQ(synapse.Client().Timeout, 2000);
    synapse.SetTimeout(150);
    EXPECT_EQ(synapse.Client().Timeout, 150);
    EXPECT_EQ(synapse.QueryValue(kSpeed), "");  // no hosts: nothing sent
}

TEST(Synapse, AnswerOnTheSecondAttempt) {
    FakeAgent agent([](const TSNMPRec& request, int number) {
        return number == 0 ? Datagrams{} : Echo(request);
    });
    TSNMPSynapse synapse;
    Recorder events;
    events.Attach(synapse);
    synapse.SetTimeout(200);
    synapse.SetCommunity("public");
    synapse.SetHost(agent.Address());
    EXPECT_EQ(synapse.QueryValue(kSpeed), "100000000");
    EXPECT_EQ(events.timeouts, (std::vector<std::pair<std::string, int>>{{agent.Address(), 0}}));
    EXPECT_FALSE(synapse.IsHostBlocked(agent.Address()));
    EXPECT_EQ(agent.RequestIds(), (std::vector<int>{1, 1}));
    EXPECT_EQ(synapse.Client().Query.ID, 2);
    EXPECT_EQ(synapse.Client().Query.Community, "public");
    EXPECT_EQ(synapse.LastOid, kSpeed);
    EXPECT_EQ(synapse.LastValueKind, 7);
}

TEST(Synapse, SilentHostIsBlockedAndThenSkipped) {
    FakeAgent agent([](const TSNMPRec&, int) { return Datagrams{}; });
    TSNMPSynapse synapse;
    Recorder events;
    events.Attach(synapse);
    synapse.SetTimeout(100);
    synapse.SetHost(agent.Address());
    EXPECT_EQ(synapse.QueryValue(kSpeed), "Failure");
    EXPECT_EQ(events.timeouts, (std::vector<std::pair<std::string, int>>{{agent.Address(), 0},
                                                                         {agent.Address(), 1}}));
    EXPECT_TRUE(synapse.IsHostBlocked(agent.Address()));
    EXPECT_EQ(synapse.Results(), (std::vector<std::string>{"Failure"}));

    // Only recorded while BlockNoResponse is off.
    synapse.SetRetry(0);
    EXPECT_EQ(synapse.QueryValue(kSpeed), "Failure");
    EXPECT_EQ(agent.RequestCount(), 3);

    synapse.SetBlockNoResponse(true);
    EXPECT_EQ(synapse.QueryValue(kSpeed), "");
    EXPECT_EQ(events.skipped, (std::vector<std::string>{agent.Address()}));
    EXPECT_EQ(agent.RequestCount(), 3);
    EXPECT_EQ(synapse.Results(), (std::vector<std::string>{""}));
    EXPECT_EQ(synapse.Client().Query.ID, 3);  // a skipped host keeps the id
}

TEST(Synapse, AnswerUnblocksHost) {
    FakeAgent agent([](const TSNMPRec& request, int) { return Echo(request); });
    TSNMPSynapse synapse;
    synapse.SetHost(agent.Address());
    EXPECT_TRUE(synapse.BlockHost(agent.Address()));
    EXPECT_EQ(synapse.QueryValue(kDescr), "eth0");
    EXPECT_FALSE(synapse.IsHostBlocked(agent.Address()));
}

TEST(Synapse, NegativeRetrySendsNothingButAdvancesTheId) {
    FakeAgent agent([](const TSNMPRec& request, int) { return Echo(request); });
    TSNMPSynapse synapse;
    synapse.SetRetry(-1);
    synapse.SetHost(agent.Address());
    EXPECT_EQ(synapse.QueryValue(kSpeed), "");
    EXPECT_EQ(agent.RequestCount(), 0);
    EXPECT_EQ(synapse.Client().Query.ID, 2);
    EXPECT_FALSE(synapse.IsHostBlocked(agent.Address()));
}

TEST(Synapse, ReplyTexts) {
    struct Case {
        const char* what;
        std::function<Datagrams(const TSNMPRec&)> answer;
        std::string result;
        int errorStatus;
    };
    const Case cases[] = {
        {"value", Echo, "100000000", 0},
        {"empty binding list", [](const TSNMPRec& r) { return Datagrams{{ResponseTo(r, {})}}; },
         "None", 0},
        {"noSuchName echo",
         [](const TSNMPRec& r) {
             return Datagrams{{ResponseTo(r, {{kSpeed, "", ber::Null}}, 2, 1)}};
         },
         "", 2},
        {"other identifier in the reply",
         [](const TSNMPRec& r) {
             return Datagrams{{ResponseTo(r, {{kDescr, "eth0", ber::OctetString}})}};
         },
         "eth0", 0},
    };
    for (const Case& c : cases) {
        FakeAgent agent([&c](const TSNMPRec& request, int) { return c.answer(request); });
        TSNMPSynapse synapse;
        synapse.SetHost(agent.Address());
        EXPECT_EQ(synapse.QueryValue(kSpeed), c.result) << c.what;
        EXPECT_EQ(synapse.LastErrorStatus, c.errorStatus) << c.what;
        EXPECT_EQ(agent.RequestPduTypes(), (std::vector<int>{pdu::GetRequest})) << c.what;
    }
}

TEST(Synapse, TwoHostsFirstSilent) {
    FakeAgent silent([](const TSNMPRec&, int) { return Datagrams{}; });
    FakeAgent answering([](const TSNMPRec& request, int) { return Echo(request); });
    TSNMPSynapse synapse;
    Recorder events;
    events.Attach(synapse);
    synapse.SetProgress(true);
    synapse.SetTimeout(100);
    synapse.SetRetry(0);
    synapse.SetHostList({silent.Address(), answering.Address()});
    EXPECT_EQ(synapse.QueryValue(kSpeed), "Failure");
    EXPECT_EQ(synapse.Results(), (std::vector<std::string>{"Failure", "100000000"}));
    EXPECT_EQ(events.progress, (std::vector<std::pair<int, int>>{{1, 2}, {2, 2}}));
    EXPECT_EQ(synapse.Host(), answering.Address());
    // One id per host query.
    EXPECT_EQ(silent.RequestIds(), (std::vector<int>{1}));
    EXPECT_EQ(answering.RequestIds(), (std::vector<int>{2}));

    synapse.SetHostList({answering.Address(), answering.Address()});
    EXPECT_EQ(synapse.QueryValue(kSpeed), "Success");
}

TEST(Synapse, SettingHostReplacesListAndResults) {
    TSNMPSynapse synapse;
    synapse.SetHostList({"a", "b"});
    synapse.SetRetry(-1);
    synapse.SetThrottle(0);
    synapse.QueryValue(kSpeed);
    EXPECT_EQ(synapse.Results().size(), 2u);
    synapse.SetHost("c");
    EXPECT_EQ(synapse.HostList(), (std::vector<std::string>{"c"}));
    EXPECT_TRUE(synapse.Results().empty());
}

TEST(Synapse, LateReplyToAnEarlierQueryIsNotTakenAsTheAnswer) {
    // The first query times out; its answer comes only with the second one.
    FakeAgent agent([](const TSNMPRec& request, int number) {
        if (number == 0) {
            return Datagrams{};
        }
        return Datagrams{
            {ResponseWithId(request, request.ID - 1, {{kDescr, "eth0", ber::OctetString}})},
            {ResponseTo(request, {{kSpeed, "100000000", ber::Gauge}})},
        };
    });
    TSNMPSynapse synapse;
    synapse.SetTimeout(150);
    synapse.SetRetry(0);
    synapse.SetHost(agent.Address());
    EXPECT_EQ(synapse.QueryValue(kDescr), "Failure");
    EXPECT_EQ(synapse.QueryValue(kSpeed), "100000000");
}

TEST(Synapse, BlockedHostsIgnoreLetterCase) {
    TSNMPSynapse synapse;
    EXPECT_TRUE(synapse.BlockHost("Router.Example"));
    EXPECT_FALSE(synapse.BlockHost("router.example"));
    EXPECT_TRUE(synapse.IsHostBlocked("ROUTER.EXAMPLE"));
    EXPECT_FALSE(synapse.IsHostBlocked("router"));
    EXPECT_TRUE(synapse.UnblockHost("router.EXAMPLE"));
    EXPECT_FALSE(synapse.UnblockHost("router.example"));
    EXPECT_TRUE(synapse.BlockedHosts().empty());
}

TEST(Synapse, TwentyFirstRequestWaitsForTheRestOfTheSecond) {
    using namespace std::chrono;
    TSNMPSynapse::Clock::time_point now{};
    std::vector<milliseconds> sleeps;
    TSNMPSynapse synapse([&now] { return now; },
                         [&](milliseconds ms) {
                             sleeps.push_back(ms);
                             now += ms;
                         });
    Recorder events;
    events.Attach(synapse);
    synapse.SetRetry(-1);  // the throttle counts requests even when no attempt is made
    synapse.SetHost("h");
    for (int i = 1; i <= 25; ++i) {
        synapse.QueryValue(kSpeed);
        now += milliseconds(10);
        if (i == 20) {
            EXPECT_EQ(events.throttles, 0);
        }
    }
    EXPECT_EQ(events.throttles, 1);
    // First request at 0 ms, the 21st at 200 ms: it waits 800 ms.
    EXPECT_EQ(sleeps, (std::vector<milliseconds>{milliseconds(800)}));
}

TEST(Synapse, ThrottleDoesNotWaitAfterASlowWindow) {
    using namespace std::chrono;
    TSNMPSynapse::Clock::time_point now{};
    int slept = 0;
    TSNMPSynapse synapse([&now] { return now; }, [&](milliseconds) { ++slept; });
    Recorder events;
    events.Attach(synapse);
    synapse.SetRetry(-1);
    synapse.SetThrottle(2);
    synapse.SetHost("h");
    for (int i = 0; i < 6; ++i) {
        synapse.QueryValue(kSpeed);
        now += milliseconds(600);
    }
    EXPECT_EQ(events.throttles, 0);
    EXPECT_EQ(slept, 0);
    synapse.SetThrottle(0);
    for (int i = 0; i < 50; ++i) {
        synapse.QueryValue(kSpeed);
    }
    EXPECT_EQ(events.throttles, 0);
}

TEST(OneShot, ReadOneValueUsesIdOneAndExactIdentifier) {
    FakeAgent agent([](const TSNMPRec& request, int) { return Echo(request); });
    std::string value = "stale";
    EXPECT_TRUE(ReadOneValue(kSpeed, "public", agent.Address(), value));
    EXPECT_EQ(value, "100000000");
    // The agent answers the canonical form; the text compare fails.
    EXPECT_TRUE(ReadOneValue("1.3.6.1.2.1.2.2.1.5.02", "public", agent.Address(), value));
    EXPECT_EQ(value, "");
    EXPECT_EQ(agent.RequestIds(), (std::vector<int>{1, 1}));
    EXPECT_EQ(agent.RequestPduTypes(), (std::vector<int>{pdu::GetRequest, pdu::GetRequest}));
}

TEST(OneShot, ReadNextValueMovesTheIdentifier) {
    FakeAgent agent([](const TSNMPRec& request, int number) {
        if (number == 0) {
            return Datagrams{{ResponseTo(request, {{kDescr, "eth0", ber::OctetString}})}};
        }
        // An SNMPv1 agent at the end of its tree echoes the request.
        return Datagrams{
            {ResponseTo(request, {{request.Bindings()[0].ObjectId, "", ber::Null}}, 2, 1)}};
    });
    std::string oid = "1.3.6.1.2.1.2.2.1.2.1";
    std::string value;
    EXPECT_TRUE(ReadNextValue(oid, "public", agent.Address(), value));
    EXPECT_EQ(oid, kDescr);
    EXPECT_EQ(value, "eth0");
    EXPECT_TRUE(ReadNextValue(oid, "public", agent.Address(), value));
    EXPECT_EQ(oid, kDescr);
    EXPECT_EQ(value, "");
    EXPECT_EQ(agent.RequestIds(), (std::vector<int>{2, 2}));
    EXPECT_EQ(agent.RequestPduTypes(),
              (std::vector<int>{pdu::GetNextRequest, pdu::GetNextRequest}));
}

TEST(OneShot, FailureLeavesEmptyValueAndIdentifier) {
    std::string oid = kDescr;
    std::string value = "stale";
    EXPECT_FALSE(ReadNextValue(oid, "public", "no-such-host.invalid", value));
    EXPECT_EQ(oid, kDescr);
    EXPECT_EQ(value, "");
    value = "stale";
    EXPECT_FALSE(ReadOneValue(kDescr, "public", "no-such-host.invalid", value));
    EXPECT_EQ(value, "");
}

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <span>

#include "snmp/Ber.h"
#include "snmp/OneShot.h"
#include "snmp/SnmpSynapse.h"
#include "tests/snmp/FakeAgent.h"
#include "tests/snmp/TestObjects.h"

using namespace pulsewell::snmp;
using pulsewell::test::FakeAgent;
using pulsewell::test::kDescr;
using pulsewell::test::kSpeed;
using pulsewell::test::ResponseTo;
using pulsewell::test::ResponseWithId;
using Datagrams = std::vector<FakeAgent::Datagram>;

namespace {

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
    EXPECT_EQ(synapse.QueryValues({kSpeed, kDescr}),
              (std::vector<std::optional<std::string>>{"", ""}));
}

// The time-outs that no caller sets come from the environment when it holds a
// positive number of ms; anything else leaves the standard ones.
TEST(Synapse, DefaultTimeoutsFromTheEnvironment) {
    struct Case {
        const char* text;
        std::int32_t send;
        std::int32_t synapse;
    };
    const Case cases[] = {{"250", 250, 250},     {"600000", 600000, 600000}, {"0", 5000, 2000},
                          {"-5", 5000, 2000},    {"12ms", 5000, 2000},       {"", 5000, 2000},
                          {"600001", 5000, 2000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ::setenv("PULSEWELL_SNMP_TIMEOUT_MS", c.text, 1);
        const TSNMPSend send;
        const TSNMPSynapse synapse;
        EXPECT_EQ(send.Timeout, c.send);
        EXPECT_EQ(synapse.Timeout(), c.synapse);
        EXPECT_EQ(synapse.Client().Timeout, c.synapse);
    }
    ::unsetenv("PULSEWELL_SNMP_TIMEOUT_MS");
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

namespace {

// An agent as QueryValues meets them: it knows some objects, answers a
// request naming an unknown one with noSuchName and that binding's index,
// finds replies of more than `mostBindings` objects too big, and says
// nothing to requests that name a `silent` object.
struct TableAgent {
    std::map<std::string, std::string> known = {};
    std::set<std::string> silent = {};
    std::size_t mostBindings = 100;
    int unnamedError = 0;  // an error status without an index, for every request of several

    Datagrams Answer(const TSNMPRec& request) const {
        const std::span<const TSNMPMib> asked = request.Bindings();
        std::vector<TSNMPMib> echo(asked.begin(), asked.end());
        for (const TSNMPMib& mib : asked) {
            if (silent.count(mib.ObjectId) != 0) {
                return {};
            }
        }
        if (asked.size() > mostBindings) {
            return {{ResponseTo(request, echo, 1, 0)}};
        }
        if (unnamedError != 0 && asked.size() > 1) {
            return {{ResponseTo(request, echo, unnamedError, 0)}};
        }
        std::vector<TSNMPMib> values;
        for (std::size_t i = 0; i < asked.size(); ++i) {
            const auto found = known.find(asked[i].ObjectId);
            if (found == known.end()) {
                return {{ResponseTo(request, echo, 2, static_cast<int>(i) + 1)}};
            }
            values.push_back({found->first, found->second, ber::OctetString});
        }
        return {{ResponseTo(request, values)}};
    }
};

std::string Oid(int n) {
    return "1.3.6.1.2.1.2.2.1.2." + std::to_string(n);
}

}  // namespace

// Each value is what the object alone would give, in as few requests as the
// agent allows; the binding counts of the requests show how they were split.
TEST(Synapse, QueryValuesAsksSeveralObjectsPerRequest) {
    struct Case {
        const char* name;
        int width;
        TableAgent agent;
        std::vector<std::optional<std::string>> values;
        std::vector<std::size_t> requestSizes;
    };
    const std::map<std::string, std::string> five{
        {Oid(1), "a"}, {Oid(2), "b"}, {Oid(3), "c"}, {Oid(4), "d"}, {Oid(5), "e"}};
    std::map<std::string, std::string> withoutTwoAndFour = five;
    withoutTwoAndFour.erase(Oid(2));
    withoutTwoAndFour.erase(Oid(4));
    const std::vector<std::optional<std::string>> all{"a", "b", "c", "d", "e"};
    const Case cases[] = {
        {"all in one request", 8, {.known = five}, all, {5}},
        {"in requests of the width", 2, {.known = five}, all, {2, 2, 1}},
        {"one object per request at width one", 1, {.known = five}, all, {1, 1, 1, 1, 1}},
        {"objects the agent lacks are taken out",
         8,
         {.known = withoutTwoAndFour},
         {"a", "", "c", "", "e"},
         {5, 4, 3}},
        {"too big: halves, and no more than fitted after that",
         8,
         {.known = five, .mostBindings = 2},
         all,
         {5, 2, 2, 1}},
        {"an error naming no object: down to single objects",
         8,
         {.known = five, .unnamedError = 5},
         all,
         {5, 2, 1, 1, 3, 1, 2, 1, 1}},
        {"a request of several unanswered leaves its objects to the caller",
         2,
         {.known = five, .silent = {Oid(3)}},
         {"a", "b", std::nullopt, std::nullopt, "e"},
         {2, 2, 1}},
        {"a single object unanswered is a failure, as alone",
         1,
         {.known = five, .silent = {Oid(3)}},
         {"a", "b", "Failure", "d", "e"},
         {1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::size_t> sizes;
        std::mutex sizesMutex;
        FakeAgent agent([&](const TSNMPRec& request, int) {
            {
                std::lock_guard lock(sizesMutex);
                sizes.push_back(request.Bindings().size());
            }
            return c.agent.Answer(request);
        });
        TSNMPSynapse synapse;
        synapse.SetThrottle(0);
        synapse.SetRetry(0);
        synapse.SetTimeout(150);
        synapse.SetWidth(c.width);
        synapse.SetHost(agent.Address());
        EXPECT_EQ(synapse.QueryValues({Oid(1), Oid(2), Oid(3), Oid(4), Oid(5)}), c.values);
        std::lock_guard lock(sizesMutex);
        EXPECT_EQ(sizes, c.requestSizes);
    }
}

// Every request of several counts once against the throttle, as a query does.
TEST(Synapse, QueryValuesCountsRequestsAgainstTheThrottle) {
    TableAgent device{.known = {{Oid(1), "a"}, {Oid(2), "b"}, {Oid(3), "c"}, {Oid(4), "d"}}};
    FakeAgent agent([&](const TSNMPRec& request, int) { return device.Answer(request); });
    auto now = TSNMPSynapse::Clock::now();
    std::vector<std::chrono::milliseconds> sleeps;
    TSNMPSynapse synapse([&] { return now; },
                         [&](std::chrono::milliseconds ms) { sleeps.push_back(ms); });
    synapse.SetThrottle(2);
    synapse.SetWidth(2);
    synapse.SetHost(agent.Address());
    synapse.QueryValues({Oid(1), Oid(2), Oid(3), Oid(4)});
    EXPECT_TRUE(sleeps.empty());
    synapse.QueryValues({Oid(1), Oid(2)});  // the third request within the second
    EXPECT_EQ(sleeps, (std::vector<std::chrono::milliseconds>{std::chrono::milliseconds(1000)}));
    EXPECT_EQ(synapse.Client().Query.ID, 4);
}

// GetBulk asks as many repetitions as a reply of the largest datagram should
// hold, at most those wanted; a reply too big, or none, halves them for the
// host until it is set again; another error leaves them.
TEST(Synapse, QueryBulkNarrowsToWhatTheAgentCanSend) {
    const struct {
        const char* name;
        int mostRepetitions;  // more: the agent's reply is too big
        bool silent;          // ... or lost
        int errorStatus;
        std::vector<int> asked;  // by four calls, the host set again before the last
        std::string answered;
    } cases[] = {
        {"too big", 300, false, 0, {1000, 500, 250, 1000}, "--+-"},
        {"lost", 300, true, 0, {1000, 500, 250, 1000}, "--+-"},
        {"fits", 1000, false, 0, {1000, 1000, 1000, 1000}, "++++"},
        {"another error", 1000, false, 5, {1000, 1000, 1000, 1000}, "----"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int> asked;  // -1 for anything but a GetBulk without non-repeaters
        std::mutex mutex;
        FakeAgent agent([&](const TSNMPRec& request, int) -> Datagrams {
            std::lock_guard lock(mutex);
            const bool bulk = request.PDUType == pdu::GetBulkRequest && request.ErrorStatus == 0;
            asked.push_back(bulk ? request.ErrorIndex : -1);
            if (request.ErrorIndex > c.mostRepetitions) {
                return c.silent ? Datagrams{} : Datagrams{{ResponseTo(request, {}, 1, 0)}};
            }
            return {{ResponseTo(request, {{Oid(1), "eth0", ber::OctetString}}, c.errorStatus, 0)}};
        });
        TSNMPSynapse synapse;
        synapse.SetRetry(0);
        synapse.SetTimeout(150);
        synapse.SetVersion(version::V2c);
        std::string answered;
        for (int call = 0; call < 4; ++call) {
            if (call % 3 == 0) {
                synapse.SetHost(agent.Address());
            }
            answered += synapse.QueryBulk({kDescr}, 1000) ? '+' : '-';
        }
        EXPECT_EQ(answered, c.answered);
        std::lock_guard lock(mutex);
        EXPECT_EQ(asked, c.asked);
    }
}

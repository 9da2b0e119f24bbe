#include <gtest/gtest.h>

#include "snmp/Ber.h"
#include "snmp/SnmpSend.h"
#include "tests/snmp/FakeAgent.h"
#include "tests/snmp/Hex.h"
#include "tests/snmp/TestObjects.h"

using namespace pulsewell::snmp;
using pulsewell::test::Bytes;
using pulsewell::test::FakeAgent;
using pulsewell::test::kSpeed;
using pulsewell::test::ResponseTo;
using pulsewell::test::ResponseWithId;

namespace {

void PrepareGet(TSNMPSend& send, const std::string& host, int timeoutMs) {
    send.TargetHost = host;
    send.Timeout = timeoutMs;
    send.Query.Reset();
    send.Query.Community = "public";
    send.Query.PDUType = pdu::GetRequest;
    send.Query.AddBinding(kSpeed, "", ber::Null);
}

FakeAgent::Script Answer(std::vector<FakeAgent::Datagram> (*make)(const TSNMPRec&)) {
    return [make](const TSNMPRec& request, int) { return make(request); };
}

}  // namespace

TEST(Exchange, SilentAgentTimesOut) {
    FakeAgent agent([](const TSNMPRec&, int) { return std::vector<FakeAgent::Datagram>{}; });
    TSNMPSend send;
    PrepareGet(send, agent.Address(), 200);
    EXPECT_FALSE(send.Exchange());
    EXPECT_EQ(send.Sock.ErrorCode, kErrorTimedOut);
    EXPECT_EQ(send.HostIP, "0.0.0.0");
    EXPECT_EQ(agent.RequestCount(), 1);
}

TEST(Exchange, ReadableButEmptyFailsAtOnce) {
    // With a one-minute time-out, only the immediate failure keeps this test short.
    FakeAgent agent(
        [](const TSNMPRec&, int) { return std::vector<FakeAgent::Datagram>{{std::string()}}; });
    TSNMPSend send;
    PrepareGet(send, agent.Address(), 60000);
    EXPECT_FALSE(send.Exchange());
    EXPECT_EQ(send.Sock.ErrorCode, kErrorNothingPending);
    EXPECT_EQ(send.HostIP, "0.0.0.0");
}

TEST(Exchange, RepliesWithAnotherRequestIdAreSkipped) {
    FakeAgent agent(Answer([](const TSNMPRec& request) {
        return std::vector<FakeAgent::Datagram>{
            {ResponseWithId(request, request.ID - 1, {{kSpeed, "eth0", ber::OctetString}})},
            {ResponseWithId(request, request.ID + 7, {{kSpeed, "lo", ber::OctetString}})},
            {ResponseTo(request, {{kSpeed, "100000000", ber::Gauge}})},
        };
    }));
    TSNMPSend send;
    PrepareGet(send, agent.Address(), 5000);
    send.Query.ID = 12;
    ASSERT_TRUE(send.Exchange());
    EXPECT_EQ(send.Reply.ID, 12);
    EXPECT_EQ(send.Reply.FindValue(kSpeed), "100000000");
}

TEST(Exchange, OnlyStaleRepliesEndAtTheTimeOut) {
    FakeAgent agent(Answer([](const TSNMPRec& request) {
        return std::vector<FakeAgent::Datagram>{
            {ResponseWithId(request, request.ID + 1, {{kSpeed, "eth0", ber::OctetString}})},
            {ResponseWithId(request, request.ID + 2, {{kSpeed, "eth0", ber::OctetString}})},
        };
    }));
    TSNMPSend send;
    PrepareGet(send, agent.Address(), 300);
    EXPECT_FALSE(send.Exchange());
    EXPECT_EQ(send.Sock.ErrorCode, kErrorTimedOut);
    EXPECT_EQ(send.HostIP, "0.0.0.0");
    EXPECT_EQ(send.Reply.BindingCount(), 0);
}

TEST(Exchange, ReplyFromAnotherPortIsIgnored) {
    FakeAgent agent(Answer([](const TSNMPRec& request) {
        return std::vector<FakeAgent::Datagram>{
            {ResponseTo(request, {{kSpeed, "2", ber::Gauge}}), true},
            {ResponseTo(request, {{kSpeed, "10", ber::Gauge}})}};
    }));
    TSNMPSend send;
    PrepareGet(send, agent.Address(), 5000);
    for (const int version : {version::V1, version::V2c}) {
        send.Query.Version = version;
        ASSERT_TRUE(send.Exchange());
        EXPECT_EQ(send.Reply.FindValue(kSpeed), "10");
    }
    EXPECT_EQ(agent.RequestCount(), 2);  // the second went to the agent, not to a spoofer
}

TEST(Exchange, ErrorStatusReplyIsASuccessfulExchange) {
    FakeAgent agent(Answer([](const TSNMPRec& request) {
        return std::vector<FakeAgent::Datagram>{
            {ResponseTo(request, {{kSpeed, "", ber::Null}}, 2, 1)}};
    }));
    TSNMPSend send;
    PrepareGet(send, agent.Address(), 5000);
    ASSERT_TRUE(send.Exchange());
    EXPECT_EQ(send.Reply.ErrorStatus, 2);
    EXPECT_EQ(send.Reply.ErrorIndex, 1);
    ASSERT_EQ(send.Reply.BindingCount(), 1);
    EXPECT_EQ(send.Reply.Bindings()[0].TypeCode, ber::Null);
    EXPECT_EQ(send.Reply.FindValue(kSpeed), "");
    EXPECT_EQ(send.HostIP, "127.0.0.1");
}

TEST(Exchange, UndecodableDatagramsFailTheExchange) {
    const std::string good = ResponseTo(
        [] {
            TSNMPRec r;
            r.ID = 1;
            return r;
        }(),
        {{kSpeed, "100000000", ber::Gauge}});
    const std::vector<std::string> bad = {
        Bytes("02 01 00"),                 // not constructed
        good.substr(0, good.size() / 2),   // cut in half
        good.substr(0, 1),                 // one byte
        Bytes("30 84 FF FF FF FF 00 00"),  // absurd length
    };
    for (const std::string& datagram : bad) {
        FakeAgent agent([&datagram](const TSNMPRec&, int) {
            return std::vector<FakeAgent::Datagram>{{datagram}};
        });
        TSNMPSend send;
        PrepareGet(send, agent.Address(), 5000);
        EXPECT_FALSE(send.Exchange()) << pulsewell::test::Hex(datagram);
        EXPECT_EQ(send.HostIP, "127.0.0.1");
        EXPECT_EQ(send.Reply.BindingCount(), 0);
    }
}

TEST(Exchange, MalformedButLongEnoughReplyDecodesWithEmptyTexts) {
    // The outer length holds, the items inside do not: true, but nothing usable.
    FakeAgent agent([](const TSNMPRec&, int) {
        return std::vector<FakeAgent::Datagram>{{Bytes("30 08 02 01 00 04 7F 41 42 43")}};
    });
    TSNMPSend send;
    PrepareGet(send, agent.Address(), 300);
    send.Query.ID = 0;  // the garbage carries no request-id, which reads as 0
    ASSERT_TRUE(send.Exchange());
    EXPECT_EQ(send.Reply.Community, "");
    EXPECT_EQ(send.Reply.FindValue(kSpeed), "");
}

TEST(Exchange, AllExchangesLeaveFromOneLocalPort) {
    FakeAgent agent(Answer([](const TSNMPRec& request) {
        return std::vector<FakeAgent::Datagram>{{ResponseTo(request, {{kSpeed, "1", ber::Gauge}})}};
    }));
    TSNMPSend send;
    PrepareGet(send, agent.Address(), 5000);
    ASSERT_TRUE(send.Exchange());
    const int port = send.Sock.LocalPort();
    ++send.Query.ID;
    ASSERT_TRUE(send.Exchange());
    EXPECT_EQ(send.Sock.LocalPort(), port);
    const std::vector<int> ports = agent.SourcePorts();
    ASSERT_EQ(ports.size(), 2u);
    EXPECT_EQ(ports[0], port);
    EXPECT_EQ(ports[1], port);
}

TEST(Exchange, UnresolvableHostFailsWithoutSending) {
    TSNMPSend send;
    PrepareGet(send, "no-such-host.invalid", 60000);
    EXPECT_FALSE(send.Exchange());
    EXPECT_NE(send.Sock.ErrorCode, 0);
    EXPECT_NE(send.Sock.ErrorCode, kErrorTimedOut);
}

TEST(Exchange, VersionThreeQueryIsNotSent) {
    FakeAgent agent([](const TSNMPRec&, int) { return std::vector<FakeAgent::Datagram>{}; });
    TSNMPSend send;
    PrepareGet(send, agent.Address(), 60000);
    send.Query.Version = 3;
    EXPECT_FALSE(send.Exchange());
}

TEST(Exchange, FieldDefaults) {
    TSNMPSend send;
    EXPECT_EQ(send.TargetHost, "127.0.0.1");
    EXPECT_EQ(send.TargetPort, "161");
    EXPECT_EQ(send.IPInterface, "0.0.0.0");
    EXPECT_EQ(send.Timeout, 5000);
    EXPECT_EQ(send.HostIP, "");
    EXPECT_EQ(send.Query.ID, 1);
    EXPECT_EQ(send.Sock.LocalPort(), 0);  // opened lazily
}

TEST(Exchange, LocalAddressIsBoundOnceAndKept) {
    FakeAgent agent(Answer([](const TSNMPRec& request) {
        return std::vector<FakeAgent::Datagram>{{ResponseTo(request, {{kSpeed, "1", ber::Gauge}})}};
    }));
    TSNMPSend send;
    send.IPInterface = "127.0.0.1";
    PrepareGet(send, agent.Address(), 5000);
    ASSERT_TRUE(send.Exchange());
    const int port = send.Sock.LocalPort();
    ASSERT_TRUE(send.Exchange());  // binding again fails quietly; the socket stays
    EXPECT_EQ(agent.SourcePorts(), (std::vector<int>{port, port}));
}

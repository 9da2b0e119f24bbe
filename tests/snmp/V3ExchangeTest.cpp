#include <gtest/gtest.h>

#include "Ber.h"
#include "FakeAgent.h"
#include "Hex.h"
#include "SnmpSend.h"
#include "V3Message.h"

using namespace pulsewell::snmp;
using pulsewell::test::FakeAgent;

namespace {

const char* kSysName = "1.3.6.1.2.1.1.5.0";

TV3Security FakeUser() {
    TV3Security security;
    security.UserName = "fake";
    security.Level = TV3Flags::AuthPriv;
    security.AuthProtocol = TV3Auth::AuthSHA256;
    security.AuthPassphrase = "fake-auth-passphrase";
    security.PrivProtocol = TV3Priv::PrivAES;
    security.PrivPassphrase = "fake-priv-passphrase";
    return security;
}

// One message of a hand-made engine, protected as flags say with keys.
struct Message {
    TV3Flags flags;
    int pdu;
    std::int32_t messageId;
    std::int32_t id;
    std::int32_t boots;
    std::int32_t time;
    const char* oid;
    const char* value;
};

std::string Encode(const std::string& engine, const TUsmKeys& keys, TUsmCipher& cipher,
                   const std::string& user, const Message& m) {
    TSNMPRec rec;
    rec.Version = version::V3;
    rec.MessageID = m.messageId;
    rec.Flags = m.flags;
    rec.AuthEngineID = engine;
    rec.AuthEngineBoots = m.boots;
    rec.AuthEngineTime = m.time;
    rec.UserName = user;
    rec.ContextEngineID = engine;
    rec.PDUType = m.pdu;
    rec.ID = m.id;
    rec.AddBinding(m.oid, m.value, ber::OctetString);
    std::string bytes;
    EXPECT_TRUE(EncodeV3Message(rec, &keys, cipher, bytes));
    return bytes;
}

// A request to the fake user as the engine reads it; false for what it cannot.
bool Decode(std::string_view datagram, const TUsmKeys& keys, TUsmCipher& cipher,
            TV3Envelope& envelope, TSNMPRec& request) {
    std::string plain;
    return DecodeV3Envelope(datagram, envelope) &&
           ReadScopedPdu(envelope, envelope.EngineID.empty() ? nullptr : &keys, cipher, plain,
                         request);
}

void PrepareForFakeUser(TSNMPSend& send, const FakeAgent& agent, int timeoutMs) {
    send.TargetHost = agent.Address();
    send.Timeout = timeoutMs;
    send.Security = FakeUser();
    send.Query.Version = version::V3;
    send.Query.PDUType = pdu::GetRequest;
    send.Query.AddBinding(kSysName, "", ber::Null);
}

const char* kUnknownEngineIds = "1.3.6.1.6.3.15.1.1.4.0";

}  // namespace

// An engine that answers each request with a late reply, a forged one, one
// for another request-id, a replay from before its last boot and then the
// right one; and a second request with a Report of request-id 0, as an agent
// sends when it cannot decrypt.
TEST(V3Exchange, OnlyTheAuthenticReplyToThisMessageCounts) {
    const std::string engine = pulsewell::test::Bytes("80 00 1F 88 04 66 61 6B 65");
    const TUsmKeys keys(FakeUser(), engine);
    ASSERT_TRUE(keys.Valid());
    TUsmCipher agentCipher;
    FakeAgent agent([&](std::string_view datagram, int number) {
        std::vector<FakeAgent::Datagram> out;
        TV3Envelope envelope;
        TSNMPRec request;
        if (!Decode(datagram, keys, agentCipher, envelope, request)) {
            return out;
        }
        const auto reply = [&](TV3Flags flags, int pdu, std::int32_t messageId, std::int32_t id,
                               std::int32_t boots, const char* oid, const char* value) {
            out.push_back({Encode(engine, keys, agentCipher, request.UserName,
                                  {flags, pdu, messageId, id, boots, 500, oid, value})});
        };
        const std::int32_t id = envelope.MessageID;
        if (number == 0) {  // discovery
            reply(TV3Flags::NoAuthNoPriv, pdu::Report, id, request.ID, 7, kUnknownEngineIds, "");
        } else if (number == 1) {
            reply(TV3Flags::AuthPriv, pdu::GetResponse, id + 1, request.ID, 7, kSysName, "late");
            reply(TV3Flags::NoAuthNoPriv, pdu::GetResponse, id, request.ID, 7, kSysName, "forged");
            reply(TV3Flags::AuthPriv, pdu::GetResponse, id, request.ID + 1, 7, kSysName, "other");
            reply(TV3Flags::AuthPriv, pdu::GetResponse, id, request.ID, 6, kSysName, "replayed");
            reply(TV3Flags::AuthPriv, pdu::GetResponse, id, request.ID, 7, kSysName, "right");
        } else {
            reply(TV3Flags::NoAuthNoPriv, pdu::Report, id, 0, 7, "1.3.6.1.6.3.15.1.1.6.0", "");
        }
        return out;
    });
    TSNMPSend send;
    PrepareForFakeUser(send, agent, 2000);
    ASSERT_TRUE(send.Exchange()) << V3ProblemText(send.LastV3Problem());
    EXPECT_EQ(send.Reply.FindValue(kSysName), "right");
    EXPECT_EQ(send.Reply.AuthEngineID, engine);
    EXPECT_EQ(send.LastV3Problem(), TV3Problem::None);

    EXPECT_FALSE(send.Exchange());
    EXPECT_EQ(send.LastV3Problem(), TV3Problem::DecryptionError);
    EXPECT_EQ(agent.RequestCount(), 3);
}

// Failures that are neither the privacy passphrase nor silence: an engine
// whose clock falls back after it answered encrypted requests, and then drops
// every request as outside its time window without a Report; an engine whose
// ID is too long for any request to carry.
TEST(V3Exchange, CausesOfAnEngineThatAnsweredBeforeOrCannotBeAsked) {
    struct Case {
        const char* what;
        std::string engine;
        int requests;  // that reach the engine
        TV3Problem want;
    } cases[] = {
        {"clock fell back", pulsewell::test::Bytes("80 00 1F 88 04 66 61 6B 65"), 3,
         TV3Problem::NoResponse},
        {"engine ID of 32,700 bytes", std::string(32700, 'E'), 1, TV3Problem::RequestTooBig},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TUsmKeys keys(FakeUser(), c.engine);
        ASSERT_TRUE(keys.Valid());
        TUsmCipher agentCipher;
        FakeAgent agent([&](std::string_view datagram, int number) {
            std::vector<FakeAgent::Datagram> out;
            TV3Envelope envelope;
            TSNMPRec request;
            // The clock at 10 s, after the first answer at 500 s: a request
            // timed from that answer lies outside the window.
            const std::int32_t now = number < 2 ? 500 : 10;
            if (!Decode(datagram, keys, agentCipher, envelope, request) ||
                (number > 0 && envelope.Time > now + 150)) {
                return out;
            }
            const bool discovery = number == 0;
            out.push_back(
                {Encode(c.engine, keys, agentCipher, request.UserName,
                        {discovery ? TV3Flags::NoAuthNoPriv : TV3Flags::AuthPriv,
                         discovery ? pdu::Report : pdu::GetResponse, envelope.MessageID, request.ID,
                         7, now, discovery ? kUnknownEngineIds : kSysName, "fake"})});
            return out;
        });
        TSNMPSend send;
        PrepareForFakeUser(send, agent, 300);
        for (int attempt = 0; attempt < 2 && send.Exchange(); ++attempt) {
            EXPECT_EQ(send.Reply.FindValue(kSysName), "fake");
        }
        EXPECT_EQ(send.LastV3Problem(), c.want) << V3ProblemText(send.LastV3Problem());
        EXPECT_EQ(agent.RequestCount(), c.requests);
    }
}

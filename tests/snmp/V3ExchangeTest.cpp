#include <gtest/gtest.h>

#include "snmp/Ber.h"
#include "snmp/EngineCache.h"
#include "snmp/SnmpSend.h"
#include "snmp/V3Message.h"
#include "tests/snmp/FakeAgent.h"
#include "tests/snmp/Hex.h"

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

}  // namespace

// An engine that answers each request with a late reply, a forged one, one
// for another request-id, a replay from before its last boot and then the
// right one; then, its keys confirmed, with unauthenticated Reports and a
// signed reply naming another engine before the right one; with a Report of
// request-id 0, as an agent sends when it cannot decrypt; with silence, as
// an engine whose clock fell back drops requests without a Report; and with
// a Report of an engine whose ID is too long for any request to carry.
TEST(V3Exchange, OnlyTheAuthenticReplyToThisMessageCounts) {
    const std::string engine = pulsewell::test::Bytes("80 00 1F 88 04 66 61 6B 65");
    const std::string other = pulsewell::test::Bytes("80 00 1F 88 04 6F 74 68 65 72");
    std::string answering = engine;
    const TUsmKeys keys(FakeUser(), engine);
    ASSERT_TRUE(keys.Valid());
    TUsmCipher agentCipher;
    FakeAgent agent([&](std::string_view datagram, int number) {
        std::vector<FakeAgent::Datagram> out;
        TV3Envelope envelope;
        TSNMPRec request;
        std::string plain;
        if (!DecodeV3Envelope(datagram, envelope) ||
            !ReadScopedPdu(envelope, envelope.EngineID.empty() ? nullptr : &keys, agentCipher,
                           plain, request)) {
            return out;
        }
        const auto reply = [&](TV3Flags flags, int pdu, std::int32_t messageId, std::int32_t id,
                               std::int32_t boots, const char* oid, const char* value) {
            TSNMPRec rec;
            rec.Version = version::V3;
            rec.MessageID = messageId;
            rec.Flags = flags;
            rec.AuthEngineID = answering;
            rec.AuthEngineBoots = boots;
            rec.AuthEngineTime = 500;
            rec.UserName = request.UserName;
            rec.ContextEngineID = answering;
            rec.PDUType = pdu;
            rec.ID = id;
            rec.AddBinding(oid, value, ber::OctetString);
            std::string bytes;
            EXPECT_TRUE(EncodeV3Message(rec, &keys, agentCipher, bytes));
            out.push_back({bytes});
        };
        const std::int32_t id = envelope.MessageID;
        if (number == 0) {  // discovery
            reply(TV3Flags::NoAuthNoPriv, pdu::Report, id, request.ID, 7, "1.3.6.1.6.3.15.1.1.4.0",
                  "");
        } else if (number == 1) {
            reply(TV3Flags::AuthPriv, pdu::GetResponse, id + 1, request.ID, 7, kSysName, "late");
            reply(TV3Flags::NoAuthNoPriv, pdu::GetResponse, id, request.ID, 7, kSysName, "forged");
            reply(TV3Flags::AuthPriv, pdu::GetResponse, id, request.ID + 1, 7, kSysName, "other");
            reply(TV3Flags::AuthPriv, pdu::GetResponse, id, request.ID, 6, kSysName, "replayed");
            reply(TV3Flags::AuthPriv, pdu::GetResponse, id, request.ID, 7, kSysName, "right");
        } else if (number == 2) {
            answering = other;
            for (const char* counter :
                 {"1.3.6.1.6.3.15.1.1.2.0", "1.3.6.1.6.3.15.1.1.4.0", "1.3.6.1.6.3.15.1.1.5.0"}) {
                reply(TV3Flags::NoAuthNoPriv, pdu::Report, id, request.ID, 8, counter, "");
            }
            reply(TV3Flags::AuthPriv, pdu::GetResponse, id, request.ID, 7, kSysName, "other");
            answering = engine;
            reply(TV3Flags::AuthPriv, pdu::GetResponse, id, request.ID, 7, kSysName, "right too");
        } else if (number == 3) {
            reply(TV3Flags::NoAuthNoPriv, pdu::Report, id, 0, 7, "1.3.6.1.6.3.15.1.1.6.0", "");
        } else if (number == 5) {
            answering = std::string(32700, 'E');
            reply(TV3Flags::NoAuthNoPriv, pdu::Report, id, 0, 7, "1.3.6.1.6.3.15.1.1.4.0", "");
        }
        return out;
    });
    TSNMPSend send;
    send.TargetHost = agent.Address();
    send.Timeout = 2000;
    send.Security = FakeUser();
    send.Query.Version = version::V3;
    send.Query.PDUType = pdu::GetRequest;
    send.Query.AddBinding(kSysName, "", ber::Null);
    ASSERT_TRUE(send.Exchange()) << V3ProblemText(send.LastV3Problem());
    EXPECT_EQ(send.Reply.FindValue(kSysName), "right");
    EXPECT_EQ(send.Reply.AuthEngineID, engine);
    EXPECT_EQ(send.LastV3Problem(), TV3Problem::None);

    ASSERT_TRUE(send.Exchange()) << V3ProblemText(send.LastV3Problem());
    EXPECT_EQ(send.Reply.FindValue(kSysName), "right too");
    EXPECT_EQ(FindEngine("[127.0.0.1]" + agent.Address().substr(9))->Boots, 7);

    send.Timeout = 300;
    EXPECT_FALSE(send.Exchange());
    EXPECT_EQ(send.LastV3Problem(), TV3Problem::DecryptionError);
    EXPECT_FALSE(send.Exchange());
    EXPECT_EQ(send.LastV3Problem(), TV3Problem::NoResponse);
    EXPECT_FALSE(send.Exchange());
    EXPECT_EQ(send.LastV3Problem(), TV3Problem::RequestTooBig);
    EXPECT_EQ(agent.RequestCount(), 6);
}

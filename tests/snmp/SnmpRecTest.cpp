#include <gtest/gtest.h>

#include "snmp/Ber.h"
#include "snmp/SnmpRec.h"
#include "tests/snmp/Hex.h"

using namespace pulsewell::snmp;
using pulsewell::test::Bytes;
using pulsewell::test::Hex;

namespace {

const char* kGetSysUpTime =
    "30 26 02 01 00 04 06 70 75 62 6C 69 63 A0 19 02 01 01 02 01 00 02 01 00 "
    "30 0E 30 0C 06 08 2B 06 01 02 01 01 03 00 05 00";

TSNMPRec Request(int pduType, const char* community, std::initializer_list<const char*> oids) {
    TSNMPRec rec;
    rec.Community = community;
    rec.PDUType = pduType;
    for (const char* oid : oids) {
        rec.AddBinding(oid, "", ber::Null);
    }
    return rec;
}

}  // namespace

TEST(SnmpRecEncode, MessagesByteForByte) {
    struct Case {
        const char* what;
        TSNMPRec rec;
        std::string want;
    };
    TSNMPRec trap;
    trap.Community = "public";
    trap.PDUType = pdu::Trap;
    trap.OldTrapEnterprise = "1.3.6.1.4.1.8072";
    trap.OldTrapHost = "10.0.0.1";
    trap.OldTrapGen = 6;
    trap.OldTrapSpec = 1;
    trap.OldTrapTimeTicks = 200;
    TSNMPRec withValue = Request(pdu::SetRequest, "c", {});
    withValue.AddBinding("1.3.6.1.2.1.1.7.0", "72", ber::Integer);
    const Case cases[] = {
        {"GetRequest sysUpTime", Request(pdu::GetRequest, "public", {"1.3.6.1.2.1.1.3.0"}),
         Hex(Bytes(kGetSysUpTime))},
        {"no bindings", Request(pdu::GetRequest, "", {}),
         "30 12 02 01 00 04 00 A0 0B 02 01 01 02 01 00 02 01 00 30 00"},
        {"GetNext", Request(pdu::GetNextRequest, "a", {"1.3"}),
         "30 1A 02 01 00 04 01 61 A1 12 02 01 01 02 01 00 02 01 00 30 07 30 05 06 01 2B"
         " 05 00"},
        {"set with integer", withValue,
         "30 22 02 01 00 04 01 63 A3 1A 02 01 01 02 01 00 02 01 00 30 0F 30 0D 06 08 2B 06 01"
         " 02 01 01 07 00 02 01 48"},
        {"v1 trap", trap,
         "30 27 02 01 00 04 06 70 75 62 6C 69 63 A4 1A 06 07 2B 06 01 04 01 BF 08 40 04 0A 00"
         " 00 01 02 01 06 02 01 01 43 01 C8 30 00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(c.rec.EncodeMessage()), c.want) << c.what;
    }
}

TEST(SnmpRecEncode, IdentifiersEncodeAsOidToBytesDoes) {
    const char* texts[] = {
        "1.3.6.1.2.1.2.2.1.10.1",
        "1.3.6.1.4.1.9.9.16384",
        "1.3..6",
        "1.3.6.",
        "1.3.6..",
        "1.3.",
        "1.3..",
        "1.3...",
        "1..",
        ".1.3.6",
        "1.3.x.7",
        "1.3.-4.7",
        "1.3.+4",
        "1",
        "",
        "1.3.4294967295",
        "1.3.4294967296",
        "1.3.00000000000000000005",
        "1.3.99999999999",
        "1.3.6.1.2.1.1.3.00",
    };
    for (const char* text : texts) {
        TSNMPRec rec = Request(pdu::GetRequest, "c", {text});
        TSNMPRec back;
        ASSERT_TRUE(back.DecodeMessage(rec.EncodeMessage())) << text;
        ASSERT_EQ(back.BindingCount(), 1) << text;
        EXPECT_EQ(back.Bindings()[0].ObjectId, BytesToOid(OidToBytes(text))) << text;
        // Parsed once, the identifier goes out as the same bytes, and a
        // record without identifier texts finds the value by them.
        const TOid oid(text);
        TSNMPRec byBytes = Request(pdu::GetRequest, "c", {});
        byBytes.AddBinding(oid, "", ber::Null);
        EXPECT_EQ(byBytes.EncodeMessage(), rec.EncodeMessage()) << text;
        EXPECT_EQ(oid.Text(), back.Bindings()[0].ObjectId) << text;
        TSNMPRec answer = Request(pdu::GetResponse, "c", {});
        answer.AddBinding(text, "found", ber::OctetString);
        answer.AddBinding("1.3.6.1.2.1.1.5.0", "other", ber::OctetString);
        TSNMPRec reply;
        reply.OidTexts = false;
        ASSERT_TRUE(reply.DecodeMessage(answer.EncodeMessage())) << text;
        EXPECT_EQ(reply.Bindings()[0].ObjectId, "") << text;
        EXPECT_EQ(reply.FindValue(oid), "found") << text;
        EXPECT_EQ(reply.FindValue(TOid("1.3.6.1.2.1.1.6.0")), "") << text;
    }
}

TEST(SnmpRecEncode, OuterLengthGrowsWithCommunity) {
    for (std::size_t n : {0u, 10u, 95u}) {
        TSNMPRec rec = Request(pdu::GetRequest, std::string(n, 'k').c_str(), {"1.3.6.1.2.1.1.3.0"});
        const std::string bytes = rec.EncodeMessage();
        EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 32 + n);
        EXPECT_EQ(bytes.size(), 34 + n);
    }
    TSNMPRec rec = Request(pdu::GetRequest, std::string(96, 'k').c_str(), {"1.3.6.1.2.1.1.3.0"});
    EXPECT_EQ(Hex(rec.EncodeMessage().substr(0, 3)), "30 81 80");
}

TEST(SnmpRecEncode, VersionThreeIsNotBuilt) {
    TSNMPRec rec = Request(pdu::GetRequest, "public", {"1.3.6.1.2.1.1.3.0"});
    rec.Version = 3;
    EXPECT_EQ(rec.EncodeMessage(), "");
}

TEST(SnmpRec, ResetKeepsIdAndRestoresDefaults) {
    TSNMPRec rec;
    EXPECT_EQ(rec.ID, 1);
    EXPECT_EQ(rec.MaxSize, 1472);
    EXPECT_EQ(rec.Community, "cobalt");
    rec.ID = 7;
    rec.MaxSize = 500;
    rec.Version = 1;
    rec.Community = "x";
    rec.PDUType = pdu::GetResponse;
    rec.ErrorStatus = 2;
    rec.ErrorIndex = 1;
    rec.OldTrapGen = 3;
    rec.FlagReportable = true;
    rec.AddBinding("1.3", "v", ber::OctetString);
    rec.Reset();
    EXPECT_EQ(rec.ID, 7);
    EXPECT_EQ(rec.MaxSize, 500);
    EXPECT_EQ(rec.Version, 0);
    EXPECT_EQ(rec.Community, "cobalt");
    EXPECT_EQ(rec.PDUType, 0);
    EXPECT_EQ(rec.ErrorStatus, 0);
    EXPECT_EQ(rec.ErrorIndex, 0);
    EXPECT_EQ(rec.OldTrapGen, 0);
    EXPECT_FALSE(rec.FlagReportable);
    EXPECT_EQ(rec.BindingCount(), 0);
}

TEST(SnmpRec, FindValueComparesIdentifierTextExactly) {
    TSNMPRec rec;
    rec.AddBinding("1.3.6.1.2.1.1.3.0", "first", ber::TimeTicks);
    rec.AddBinding("1.3.6.1.2.1.1.3.0", "second", ber::TimeTicks);
    rec.AddBinding("1.3.6.1.2.1.1.5.0", "", ber::Null);
    EXPECT_EQ(rec.FindValue("1.3.6.1.2.1.1.3.0"), "first");
    EXPECT_EQ(rec.FindValue("1.3.6.1.2.1.1.3.00"), "");
    EXPECT_EQ(rec.FindValue("1.3.6.1.2.1.1.9.0"), "");
}

TEST(SnmpRecDecode, Replies) {
    struct Binding {
        std::string oid;
        std::string value;
        int type;
    };
    struct Case {
        const char* what;
        const char* data;
        int version;
        std::string community;
        int pduType;
        int id;
        int errorStatus;
        int errorIndex;
        std::vector<Binding> bindings;
    };
    const Case cases[] = {
        {"sysUpTime",
         "30 29 02 01 00 04 06 70 75 62 6C 69 63 A2 1C 02 01 01 02 01 00 02 01 00 30 11 30 0F"
         " 06 08 2B 06 01 02 01 01 03 00 43 03 01 E2 40",
         0,
         "public",
         pdu::GetResponse,
         1,
         0,
         0,
         {{"1.3.6.1.2.1.1.3.0", "123456", ber::TimeTicks}}},
        {"noSuchName echo",
         "30 26 02 01 00 04 06 70 75 62 6C 69 63 A2 19 02 01 05 02 01 02 02 01 01 30 0E 30 0C"
         " 06 08 2B 06 01 02 01 01 09 00 05 00",
         0,
         "public",
         pdu::GetResponse,
         5,
         2,
         1,
         {{"1.3.6.1.2.1.1.9.0", "", ber::Null}}},
        {"empty binding list",
         "30 15 02 01 01 04 02 63 64 A2 0C 02 02 01 00 02 01 00 02 01 00 30 00",
         1,
         "cd",
         pdu::GetResponse,
         256,
         0,
         0,
         {}},
        {"two bindings, string with zero byte and counter",
         "30 2E 02 01 00 04 01 70 A2 26 02 01 09 02 01 00 02 01 00 30 1B 30 0A 06 03 2B 06 01"
         " 04 03 61 00 62 30 0D 06 03 2B 06 02 41 06 00 00 B2 D0 5E 00",
         0,
         "p",
         pdu::GetResponse,
         9,
         0,
         0,
         {{"1.3.6.1", std::string("a\0b", 3), ber::OctetString},
          {"1.3.6.2", "-1294967296", ber::Counter}}},
        {"v1 trap",
         "30 27 02 01 00 04 06 70 75 62 6C 69 63 A4 1A 06 07 2B 06 01 04 01 BF 08 40 04 0A 00"
         " 00 01 02 01 06 02 01 01 43 01 C8 30 00",
         0,
         "public",
         pdu::Trap,
         1,
         0,
         0,
         {}},
        // Exception values carry no value, even with contents inside.
        {"v2c Counter64 and the three exception values",
         "30 54 02 01 01 04 06 70 75 62 6C 69 63 A2 47 02 01 03 02 01 00 02 01 00 30 3C 30 14"
         " 06 0B 2B 06 01 02 01 1F 01 01 01 06 01 46 05 01 00 00 00 00 30 10 06 0B 2B 06 01 02"
         " 01 1F 01 01 01 0A 01 81 01 41 30 08 06 04 2B 06 01 02 80 00 30 08 06 04 2B 06 01 09"
         " 82 00",
         1,
         "public",
         pdu::GetResponse,
         3,
         0,
         0,
         {{"1.3.6.1.2.1.31.1.1.1.6.1", "4294967296", ber::Counter64},
          {"1.3.6.1.2.1.31.1.1.1.10.1", "", ber::NoSuchInstance},
          {"1.3.6.1.2", "", ber::NoSuchObject},
          {"1.3.6.1.9", "", ber::EndOfMibView}}},
        // Bindings out of the common form are walked item by item: a value's
        // long-form length, and a byte left over inside a binding, which the
        // walk reads as the next item.
        {"long-form length, byte left over in a binding",
         "30 35 02 01 00 04 01 70 A2 2D 02 01 01 02 01 00 02 01 00 30 22 30 0B 06 03 2B 06 01"
         " 04 81 03 61 62 63 30 09 06 03 2B 06 02 02 01 07 00 30 08 06 03 2B 06 03 02 01 09",
         0,
         "p",
         pdu::GetResponse,
         1,
         0,
         0,
         {{"1.3.6.1", "abc", ber::OctetString},
          {"1.3.6.2", "7", ber::Integer},
          {"\x03+\x06\x03\x02\x01", "", ber::Null}}},
    };
    for (const Case& c : cases) {
        TSNMPRec rec;
        ASSERT_TRUE(rec.DecodeMessage(Bytes(c.data))) << c.what;
        EXPECT_EQ(rec.Version, c.version) << c.what;
        EXPECT_EQ(rec.Community, c.community) << c.what;
        EXPECT_EQ(rec.PDUType, c.pduType) << c.what;
        EXPECT_EQ(rec.ID, c.id) << c.what;
        EXPECT_EQ(rec.ErrorStatus, c.errorStatus) << c.what;
        EXPECT_EQ(rec.ErrorIndex, c.errorIndex) << c.what;
        ASSERT_EQ(rec.BindingCount(), static_cast<int>(c.bindings.size())) << c.what;
        for (std::size_t i = 0; i < c.bindings.size(); ++i) {
            EXPECT_EQ(rec.Bindings()[i].ObjectId, c.bindings[i].oid) << c.what;
            EXPECT_EQ(rec.Bindings()[i].ValueText, c.bindings[i].value) << c.what;
            EXPECT_EQ(rec.Bindings()[i].TypeCode, c.bindings[i].type) << c.what;
        }
    }
}

TEST(SnmpRecDecode, TrapFields) {
    TSNMPRec rec;
    ASSERT_TRUE(rec.DecodeMessage(
        Bytes("30 27 02 01 00 04 06 70 75 62 6C 69 63 A4 1A 06 07 2B 06 01 04 01 BF 08 40 04 0A"
              " 00 00 01 02 01 06 02 01 01 43 01 C8 30 00")));
    EXPECT_EQ(rec.OldTrapEnterprise, "1.3.6.1.4.1.8072");
    EXPECT_EQ(rec.OldTrapHost, "10.0.0.1");
    EXPECT_EQ(rec.OldTrapGen, 6);
    EXPECT_EQ(rec.OldTrapSpec, 1);
    EXPECT_EQ(rec.OldTrapTimeTicks, 200);
}

TEST(SnmpRecDecode, RejectedDatagramsLeaveAResetRecord) {
    const char* rejected[] = {
        "",
        "30",
        "02 01 00",                                                     // not constructed
        "30 10 02 01 00",                                               // shorter than its length
        "30 84 FF FF FF FF 02 01 00",                                   // length beyond 31 bits
        "30 11 02 01 03 04 00 A2 0A 02 01 01 02 01 00 02 01 00 30 00",  // version 3
    };
    for (const char* data : rejected) {
        TSNMPRec rec;
        rec.ID = 42;
        rec.Community = "old";
        rec.AddBinding("1.3", "x", ber::OctetString);
        EXPECT_FALSE(rec.DecodeMessage(Bytes(data))) << data;
        EXPECT_EQ(rec.Community, "cobalt") << data;
        EXPECT_EQ(rec.BindingCount(), 0) << data;
        EXPECT_EQ(rec.Version, 0) << data;
        EXPECT_EQ(rec.ID, 42) << data;
    }
}

TEST(SnmpRecRoundTrip, EncodedRequestsDecodeToTheirFields) {
    TSNMPRec rec = Request(pdu::GetNextRequest, std::string(300, 'c').c_str(),
                           {"1.3.6.1.2.1.2.2.1.10.1", "1.3.6.1.2.1.2.2.1.16.1"});
    rec.ID = -5;
    rec.Version = 1;
    rec.AddBinding("1.3.6.1.2.1.4.20.1.1.127.0.0.1", "127.0.0.1", ber::IpAddress);
    TSNMPRec back;
    ASSERT_TRUE(back.DecodeMessage(rec.EncodeMessage()));
    EXPECT_EQ(back.Version, 1);
    EXPECT_EQ(back.ID, -5);
    EXPECT_EQ(back.PDUType, pdu::GetNextRequest);
    EXPECT_EQ(back.Community, rec.Community);
    ASSERT_EQ(back.BindingCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(back.Bindings()[i].ObjectId, rec.Bindings()[i].ObjectId);
        EXPECT_EQ(back.Bindings()[i].ValueText, rec.Bindings()[i].ValueText);
        EXPECT_EQ(back.Bindings()[i].TypeCode, rec.Bindings()[i].TypeCode);
    }
}

TEST(SnmpRecDecode, WireBindingsAreTheDatagramsBytes) {
    struct Case {
        int type;
        const char* text;  // as the reply is built from it
        std::string want;  // empty for an exception value, whatever it held
    };
    const Case cases[] = {
        {ber::Integer, "-1", Bytes("FF FF FF FF")},
        {ber::Counter, "4294967295", Bytes("FF FF FF FF")},
        {ber::Gauge, "1000000000", Bytes("3B 9A CA 00")},
        {ber::OctetString, "Gi1/0/1", "Gi1/0/1"},
        {ber::NoSuchInstance, "junk", ""},
        {ber::EndOfMibView, "", ""},
    };
    TSNMPRec answer = Request(pdu::GetResponse, "c", {});
    for (const Case& c : cases) {
        answer.AddBinding("1.3.6.1.2.1.2.2.1.10.7", c.text, c.type);
    }
    const std::string datagram = answer.EncodeMessage();
    for (const bool copies : {false, true}) {
        TSNMPRec reply;
        reply.CopyBindings = copies;
        ASSERT_TRUE(reply.DecodeMessage(datagram));
        ASSERT_EQ(reply.BindingCount(), copies ? static_cast<int>(std::size(cases)) : 0);
        ASSERT_EQ(reply.WireBindings().size(), std::size(cases));
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const TWireBinding& wire = reply.WireBindings()[i];
            EXPECT_EQ(Hex(std::string(wire.Contents)), Hex(cases[i].want)) << cases[i].text;
            EXPECT_EQ(wire.Type, cases[i].type) << cases[i].text;
            EXPECT_EQ(Hex(std::string(wire.Oid)), Hex(TOid("1.3.6.1.2.1.2.2.1.10.7").Bytes()));
            // Views into the datagram, not copies of it.
            EXPECT_TRUE(wire.Oid.data() >= datagram.data() &&
                        wire.Oid.data() < datagram.data() + datagram.size());
        }
    }
    // Copies again after a decode without, with their texts.
    TSNMPRec reply;
    reply.CopyBindings = false;
    ASSERT_TRUE(reply.DecodeMessage(datagram));
    reply.CopyBindings = true;
    ASSERT_TRUE(reply.DecodeMessage(datagram));
    EXPECT_EQ(reply.Bindings()[0].ValueText, "-1");
    EXPECT_EQ(reply.Bindings()[3].ValueText, "Gi1/0/1");
    EXPECT_EQ(reply.Bindings()[4].ValueText, "");
}

#include <gtest/gtest.h>

#include "snmp/Ber.h"
#include "tests/snmp/Hex.h"

using namespace pulsewell::snmp;
using pulsewell::test::Bytes;
using pulsewell::test::Hex;

TEST(BerEncode, LengthSubIdSignedUnsignedByteForms) {
    struct Case {
        const char* what;
        std::string got;
        const char* want;
    };
    const Case cases[] = {
        {"length 0", EncodeLength(0), "00"},
        {"length 127", EncodeLength(127), "7F"},
        {"length 128", EncodeLength(128), "81 80"},
        {"length 255", EncodeLength(255), "81 FF"},
        {"length 256", EncodeLength(256), "82 01 00"},
        {"length 65536", EncodeLength(65536), "83 01 00 00"},
        {"subid 0", EncodeSubId(0), "00"},
        {"subid 127", EncodeSubId(127), "7F"},
        {"subid 128", EncodeSubId(128), "81 00"},
        {"subid 16383", EncodeSubId(16383), "FF 7F"},
        {"subid 16384", EncodeSubId(16384), "81 80 00"},
        {"subid 2^32-1", EncodeSubId(4294967295u), "8F FF FF FF 7F"},
        {"signed 0", EncodeSigned(0), "00"},
        {"signed 127", EncodeSigned(127), "7F"},
        {"signed 128", EncodeSigned(128), "00 80"},
        {"signed 255", EncodeSigned(255), "00 FF"},
        {"signed 256", EncodeSigned(256), "01 00"},
        {"signed max", EncodeSigned(2147483647), "7F FF FF FF"},
        {"signed -1", EncodeSigned(-1), "FF FF FF FF"},
        {"signed -128", EncodeSigned(-128), "FF FF FF 80"},
        {"signed -129", EncodeSigned(-129), "FF FF FF 7F"},
        {"unsigned 0", EncodeUnsigned(0), "00"},
        {"unsigned 200", EncodeUnsigned(200), "C8"},
        {"unsigned 65535", EncodeUnsigned(65535), "FF FF"},
        {"unsigned 2^31", EncodeUnsigned(2147483648u), "80 00 00 00"},
        {"unsigned 3e9", EncodeUnsigned(3000000000u), "B2 D0 5E 00"},
        {"unsigned 2^32-1", EncodeUnsigned(4294967295u), "FF FF FF FF"},
        {"null item", MakeItem("", ber::Null), "05 00"},
        {"long item header", MakeItem(std::string(200, 'x'), ber::OctetString).substr(0, 3),
         "04 81 C8"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(c.got), c.want) << c.what;
    }
}

TEST(BerDecode, ItemValueTextsByType) {
    struct Case {
        const char* item;
        std::string text;
        int type;
    };
    const Case cases[] = {
        {"02 01 FF", "-1", ber::Integer},
        {"02 01 80", "-128", ber::Integer},
        {"02 02 00 FF", "255", ber::Integer},
        {"02 02 FF 7F", "-129", ber::Integer},
        {"02 05 00 FF FF FF FF", "-1", ber::Integer},
        {"02 04 7F FF FF FF", "2147483647", ber::Integer},
        {"02 00", "0", ber::Integer},
        {"01 01 FF", "-1", ber::Boolean},
        {"0A 01 02", "2", ber::Enumerated},
        {"41 05 00 B2 D0 5E 00", "-1294967296", ber::Counter},
        {"41 05 00 FF FF FF FF", "-1", ber::Counter},
        {"41 04 7F FF FF FF", "2147483647", ber::Counter},
        {"42 02 01 00", "256", ber::Gauge},
        {"43 00", "0", ber::TimeTicks},
        {"43 01 C8", "200", ber::TimeTicks},
        {"46 09 00 FF FF FF FF FF FF FF FF", "18446744073709551615", ber::Counter64},
        {"46 05 01 00 00 00 00", "4294967296", ber::Counter64},
        {"46 0A 01 00 00 00 00 00 00 00 00 05", "5", ber::Counter64},
        {"46 00", "0", ber::Counter64},
        {"05 00", "", ber::Null},
        {"06 08 2B 06 01 02 01 01 03 00", "1.3.6.1.2.1.1.3.0", ber::ObjectId},
        {"06 01 2B", "1.3", ber::ObjectId},
        {"06 00", "", ber::ObjectId},
        {"40 04 C0 A8 01 01", "192.168.1.1", ber::IpAddress},
        {"40 02 0A 00", "10.0", ber::IpAddress},
        {"04 03 61 62 63", "abc", ber::OctetString},
        {"44 02 01 02", "\x01\x02", ber::Opaque},
        {"1F 01 7A", "z", 0x1F},
        {"80 01 00", std::string(1, '\0'), 0x80},
    };
    for (const Case& c : cases) {
        const std::string data = Bytes(c.item);
        std::size_t pos = 0;
        int type = -1;
        const std::string text = DecodeItem(data, pos, type);
        EXPECT_EQ(text, c.text) << c.item;
        EXPECT_EQ(type, c.type) << c.item;
        EXPECT_EQ(pos, data.size()) << c.item;
    }
}

TEST(BerDecode, OctetStringKeepsZeroBytes) {
    const std::string data = Bytes("04 06 00 1A 2B 00 00 01");
    std::size_t pos = 0;
    int type = 0;
    EXPECT_EQ(DecodeItem(data, pos, type), Bytes("00 1A 2B 00 00 01"));
}

TEST(BerDecode, ConstructedItemIsEnteredNotSkipped) {
    const std::string data = Bytes("30 06 02 01 05 04 01 41");
    std::size_t pos = 0;
    int type = 0;
    EXPECT_EQ(DecodeItem(data, pos, type), Bytes("02 01 05 04 01 41"));
    EXPECT_EQ(type, ber::Sequence);
    EXPECT_EQ(pos, 2u);
    EXPECT_EQ(DecodeItem(data, pos, type), "5");
    EXPECT_EQ(type, ber::Integer);
    EXPECT_EQ(DecodeItem(data, pos, type), "A");
}

TEST(BerDecode, BadItemsGiveEmptyTextAndStillAdvance) {
    struct Case {
        const char* data;
        const char* what;
        int type;
        std::size_t pos;
    };
    const Case cases[] = {
        {"", "nothing", ber::Null, 0},
        {"02", "one byte", ber::Null, 0},
        {"02 05 01 02", "length beyond data", ber::Integer, 2},
        {"04 82 01", "length field cut short", ber::OctetString, 3},
        {"04 84 7F FF FF FF 00", "length 0x7FFFFFFF", ber::OctetString, 6},
        {"04 84 FF FF FF FF 00", "length 0xFFFFFFFF", ber::OctetString, 6},
        {"04 88 00 00 00 00 00 00 00", "eight length bytes, cut short", ber::OctetString, 9},
        {"30 84 DE AD BA BE 00", "huge sequence", ber::Sequence, 6},
    };
    for (const Case& c : cases) {
        const std::string data = Bytes(c.data);
        std::size_t pos = 0;
        int type = -1;
        EXPECT_EQ(DecodeItem(data, pos, type), "") << c.what;
        EXPECT_EQ(type, c.type) << c.what;
        EXPECT_EQ(pos, c.pos) << c.what;
    }
}

TEST(BerDecode, LongLengthWithLeadingZerosIsAccepted) {
    const std::string data = Bytes("04 88 00 00 00 00 00 00 00 01 41");
    std::size_t pos = 0;
    int type = 0;
    EXPECT_EQ(DecodeItem(data, pos, type), "A");
    EXPECT_EQ(pos, data.size());
}

TEST(BerDecode, SubIdCutShortEndsWithWhatWasRead) {
    const std::string data = Bytes("81 82");
    std::size_t pos = 0;
    EXPECT_EQ(DecodeSubId(data, pos), (1u << 7) | 2u);
    EXPECT_EQ(pos, 2u);
    EXPECT_EQ(BytesToOid(Bytes("2B 06 81")), "1.3.6.1");
}

TEST(BerOid, TextToBytesAndBack) {
    struct Case {
        const char* text;
        const char* bytes;
    };
    const Case cases[] = {
        {"1.3.6.1.2.1.1.3.0", "2B 06 01 02 01 01 03 00"},
        {"1.3.6.1.2.1.2.2.1.10.1", "2B 06 01 02 01 02 02 01 0A 01"},
        {"1.3.6.1.4.1.9.9.16384", "2B 06 01 04 01 09 09 81 80 00"},
        {"0.0", "00"},
        {"1.39.4294967295", "4F 8F FF FF FF 7F"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(OidToBytes(c.text)), c.bytes) << c.text;
        EXPECT_EQ(BytesToOid(Bytes(c.bytes)), c.text) << c.text;
    }
}

TEST(BerOid, LooseTextForms) {
    struct Case {
        const char* text;
        const char* bytes;
    };
    const Case cases[] = {
        {"", "00"},
        {"1", "28"},
        {"2", "50"},
        {"1.3.6.1.2.1.2.2.1.10.05", "2B 06 01 02 01 02 02 01 0A 05"},
        {"1.3..6", "2B 00 06"},
        {"1.3.6.", "2B 06"},
        {"1.3.x.7", "2B 00 07"},
        {".1.3.6", "01 03 06"},  // a leading dot makes an empty first arc
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(OidToBytes(c.text)), c.bytes) << c.text;
    }
    EXPECT_NE(BytesToOid(OidToBytes("1.3.6.1.2.1.2.2.1.10.05")), "1.3.6.1.2.1.2.2.1.10.05");
}

TEST(BerOid, MultiByteFirstSubIdNamesArcTwo) {
    EXPECT_EQ(BytesToOid(Bytes("81 00 05")), "2.48.5");
}

TEST(BerOid, TakeArcConsumesOnePart) {
    std::string text = "12.x..7";
    EXPECT_EQ(TakeArc(text), 12u);
    EXPECT_EQ(text, "x..7");
    EXPECT_EQ(TakeArc(text), 0u);
    EXPECT_EQ(TakeArc(text), 0u);
    EXPECT_EQ(TakeArc(text), 7u);
    EXPECT_EQ(text, "");
}

TEST(BerEncode, IpAndValueContents) {
    struct Case {
        int type;
        const char* text;
        const char* bytes;
    };
    const Case cases[] = {
        {ber::IpAddress, "192.168.1.1", "C0 A8 01 01"},
        {ber::IpAddress, " 10 . 1 .2. 300", "0A 01 02 2C"},
        {ber::IpAddress, "10.1", "0A 01 00 00"},
        {ber::IpAddress, "a.b.c.d", "00 00 00 00"},
        {ber::Integer, "-129", "FF FF FF 7F"},
        {ber::Integer, "12x", "00"},
        {ber::Counter, "3000000000", "B2 D0 5E 00"},
        {ber::Gauge, "-1", "FF FF FF FF"},
        {ber::TimeTicks, "", "00"},
        {ber::Null, "ignored", ""},
        {ber::ObjectId, "1.3.6.1", "2B 06 01"},
        {ber::OctetString, "ab", "61 62"},
        {ber::Boolean, "1", "31"},
        {ber::Opaque, "z", "7A"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Hex(EncodeValue(c.type, c.text)), c.bytes) << c.type << " " << c.text;
    }
}

TEST(BerRoundTrip, ValuesThroughEncodeAndDecode) {
    struct Case {
        int type;
        const char* text;
    };
    const Case cases[] = {
        {ber::Integer, "0"},          {ber::Integer, "-2147483648"},
        {ber::Integer, "2147483647"}, {ber::Integer, "-1"},
        {ber::Counter, "0"},          {ber::Counter, "-1294967296"},
        {ber::Gauge, "2147483647"},   {ber::TimeTicks, "-1"},
        {ber::IpAddress, "1.2.3.4"},  {ber::ObjectId, "1.3.6.1.4.1.8072.3.2.10"},
        {ber::OctetString, ""},       {ber::Null, ""},
    };
    for (const Case& c : cases) {
        const std::string item = MakeItem(EncodeValue(c.type, c.text), c.type);
        std::size_t pos = 0;
        int type = 0;
        EXPECT_EQ(DecodeItem(item, pos, type), c.text) << c.type;
        EXPECT_EQ(type, c.type);
    }
    for (std::uint32_t n : {0u, 1u, 39u, 40u, 127u, 128u, 16383u, 16384u, 2097151u, 4294967295u}) {
        const std::string text = "1.3.6.1." + std::to_string(n) + ".0";
        EXPECT_EQ(BytesToOid(OidToBytes(text)), text);
    }
}

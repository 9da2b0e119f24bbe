#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "snmp/Ber.h"
#include "snmp/SnmpRec.h"
#include "tests/snmp/Hex.h"

using namespace pulsewell::snmp;
using pulsewell::test::Bytes;

namespace {

// The stored inputs of the decoder's fuzz target, as the tests' environment names them.
std::filesystem::path CorpusFolder() {
    const char* folder = std::getenv("PULSEWELL_SNMP_CORPUS");
    return folder != nullptr ? folder : "";
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every item of the data, entering constructed ones, as a parser would meet them.
std::size_t WalkItems(std::string_view data) {
    std::size_t pos = 0;
    std::size_t items = 0;
    while (pos < data.size()) {
        const std::size_t before = pos;
        int type = 0;
        DecodeItem(data, pos, type);
        if (pos == before) {
            break;  // fewer than two bytes left
        }
        EXPECT_GE(pos, before + 2);
        EXPECT_LE(pos, data.size());
        ++items;
    }
    return items;
}

}  // namespace

TEST(Corpus, EveryStoredDatagramDecodesWithoutHarm) {
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder())) {
        const std::string data = ReadFile(entry.path());
        TSNMPRec rec;
        const bool ok = rec.DecodeMessage(data);
        if (!ok) {
            EXPECT_EQ(rec.BindingCount(), 0) << entry.path();
        }
        WalkItems(data);
        ++files;
    }
    EXPECT_GE(files, 20u);
}

TEST(Corpus, CapturedRepliesDecodeToTheirBindings) {
    struct Case {
        const char* file;
        const char* oid;
        std::string value;
        int type;
        int errorStatus;
    };
    const Case cases[] = {
        {"reply-get-sysobjectid", "1.3.6.1.2.1.1.2.0", "1.3.6.1.4.1.8072.3.2.10", ber::ObjectId, 0},
        {"reply-get-sysservices", "1.3.6.1.2.1.1.7.0", "72", ber::Integer, 0},
        {"reply-get-ifphysaddress", "1.3.6.1.2.1.2.2.1.6.2", Bytes("00 1A 2B 00 00 01"),
         ber::OctetString, 0},
        {"reply-get-ifinoctets", "1.3.6.1.2.1.2.2.1.10.2", "-1294967296", ber::Counter, 0},
        {"reply-get-ifspeed", "1.3.6.1.2.1.2.2.1.5.2", "100000000", ber::Gauge, 0},
        {"reply-get-iplastchange", "1.3.6.1.2.1.2.2.1.9.2", "4200", ber::TimeTicks, 0},
        {"reply-get-ipadentaddr", "1.3.6.1.2.1.4.20.1.1.127.0.0.1", "127.0.0.1", ber::IpAddress, 0},
        {"reply-get-nosuchname", "1.3.6.1.2.1.1.99.0", "", ber::Null, 2},
        {"reply-next-ifdescr", "1.3.6.1.2.1.2.2.1.2.2", "eth0", ber::OctetString, 0},
        {"reply-v2c-get-ifhcinoctets", "1.3.6.1.2.1.31.1.1.1.6.30", "18446744073709551615",
         ber::Counter64, 0},
        {"reply-v2c-get-nosuchinstance", "1.3.6.1.2.1.31.1.1.1.6.2", "", ber::NoSuchInstance, 0},
        {"reply-v2c-get-nosuchobject", "1.3.6.1.2.1.99.0", "", ber::NoSuchObject, 0},
        {"reply-v2c-next-end-of-mib-view", "1.3.6.1.9", "", ber::EndOfMibView, 0},
    };
    for (const Case& c : cases) {
        TSNMPRec rec;
        ASSERT_TRUE(rec.DecodeMessage(ReadFile(CorpusFolder() / c.file))) << c.file;
        EXPECT_EQ(rec.PDUType, pdu::GetResponse) << c.file;
        EXPECT_EQ(rec.Community, "public") << c.file;
        EXPECT_EQ(rec.ErrorStatus, c.errorStatus) << c.file;
        ASSERT_EQ(rec.BindingCount(), 1) << c.file;
        EXPECT_EQ(rec.Bindings()[0].ObjectId, c.oid) << c.file;
        EXPECT_EQ(rec.Bindings()[0].ValueText, c.value) << c.file;
        EXPECT_EQ(rec.Bindings()[0].TypeCode, c.type) << c.file;
    }
}

TEST(Corpus, DatagramsThatCrashedOtherClients) {
    struct Case {
        const char* data;
        bool decodes;
        int version;
        int bindings;
    };
    const Case cases[] = {
        {"30 07 02 84 DE AD BA BE 00", true, 0, 0},
        {"30 06 02 01 00 04 7F 41", true, 0, 0},
        {"30 04 02 02 30 03", true, 0x3003, 0},
        {"30 88 FF FF FF FF FF FF FF FF 02 01 00", false, 0, 0},
        {"30 88 00 00 00 00 00 00 00 03 02 01 01", true, 1, 0},
        {"30 84 7F FF FF FF 02 01 00", false, 0, 0},
        {"30 84 FF FF FF FF 02 01 00", false, 0, 0},
        {"30 0A 02 01 00 04 84 7F FF FF FF 41", true, 0, 0},
        {"30 0A 02 01 00 04 84 FF FF FF FF 41", true, 0, 0},
    };
    for (const Case& c : cases) {
        TSNMPRec rec;
        EXPECT_EQ(rec.DecodeMessage(Bytes(c.data)), c.decodes) << c.data;
        EXPECT_EQ(rec.Version, c.version) << c.data;
        EXPECT_EQ(rec.BindingCount(), c.bindings) << c.data;
        EXPECT_EQ(rec.Community, c.decodes ? "" : "cobalt") << c.data;
    }
}

TEST(Corpus, ObjectIdentifierCutShortKeepsWhatWasRead) {
    TSNMPRec rec;
    ASSERT_TRUE(rec.DecodeMessage(ReadFile(CorpusFolder() / "regress-oid-cut-short")));
    ASSERT_EQ(rec.BindingCount(), 1);
    EXPECT_EQ(rec.Bindings()[0].ObjectId, "1.3.6.1");
}

TEST(Corpus, EveryPrefixOfAReplyIsSafe) {
    const std::string reply = ReadFile(CorpusFolder() / "reply-get-sysdescr");
    ASSERT_GT(reply.size(), 40u);
    for (std::size_t n = 0; n < reply.size(); ++n) {
        const std::string prefix = reply.substr(0, n);
        TSNMPRec rec;
        // Every proper prefix is shorter than its outer length says.
        EXPECT_FALSE(rec.DecodeMessage(prefix)) << n;
        WalkItems(prefix);
        // Inside a copy whose outer length is mended, the items themselves are cut.
        std::string mended = prefix;
        if (n >= 2 && static_cast<unsigned char>(mended[1]) < 0x80) {
            mended[1] = static_cast<char>(n - 2);
            TSNMPRec inner;
            EXPECT_TRUE(inner.DecodeMessage(mended)) << n;
        }
    }
    TSNMPRec whole;
    EXPECT_TRUE(whole.DecodeMessage(reply));
    EXPECT_EQ(whole.BindingCount(), 1);
}

TEST(Corpus, LongObjectIdentifierDecodes) {
    const std::string data = ReadFile(CorpusFolder() / "regress-oid-60000-continuation");
    TSNMPRec rec;
    ASSERT_TRUE(rec.DecodeMessage(data));
    ASSERT_EQ(rec.BindingCount(), 1);
    // All 60000 continuation bytes make one sub-identifier cut short by the item's end.
    const std::string& oid = rec.Bindings()[0].ObjectId;
    EXPECT_EQ(oid.rfind("1.3.", 0), 0u);
    EXPECT_EQ(std::count(oid.begin(), oid.end(), '.'), 2);

    // And as many single-byte arcs: 60000 of them, in linear time.
    const std::string arcs = MakeItem("\x2B" + std::string(60000, '\x05'), ber::ObjectId);
    std::size_t pos = 0;
    int type = 0;
    const std::string text = DecodeItem(arcs, pos, type);
    EXPECT_EQ(std::count(text.begin(), text.end(), '.'), 60001);
}

#include <gtest/gtest.h>

#include "snmp/UsmKeys.h"
#include "snmp/V3Message.h"
#include "snmp/V3Security.h"
#include "tests/snmp/Hex.h"

using namespace pulsewell::snmp;
using pulsewell::test::Bytes;

namespace {

// The test agent's engine and passphrases when the keys and replies below
// were taken from it (its persistent file and `snmpget -d`).
const char* kAgentEngine = "80001f888002ccf451a6bf176b00000000";
const char* kAuthPassphrase = "pulsewell-auth";
const char* kPrivPassphrase = "pulsewell-priv";
const char* kSysContact = "1.3.6.1.2.1.1.4.0";

// Both sides as Hex() writes them, so that a difference reads well.
std::string HexOf(std::string_view bytes) {
    return pulsewell::test::Hex(bytes);
}
std::string HexOf(const char* hex) {
    return pulsewell::test::Hex(Bytes(hex));
}

TV3Security Security(TV3Auth auth, TV3Priv priv, const char* privPassphrase = kPrivPassphrase) {
    TV3Security security;
    security.UserName = "someone";
    security.Level = TV3Flags::AuthPriv;
    security.AuthProtocol = auth;
    security.AuthPassphrase = kAuthPassphrase;
    security.PrivProtocol = priv;
    security.PrivPassphrase = privPassphrase;
    return security;
}

}  // namespace

TEST(UsmKeys, PublishedPasswordToKeyVectors) {
    // RFC 3414 A.3.1 and A.3.2.
    const std::string engine = Bytes("000000000000000000000002");
    struct Case {
        TV3Auth auth;
        const char* master;
        const char* localized;
    } cases[] = {
        {TV3Auth::AuthMD5, "9faf3283884e92834ebc9847d8edd963", "526f5eed9fcce26f8964c2930787d82b"},
        {TV3Auth::AuthSHA1, "9fb5cc0381497b3793528939ff788d5d79145211",
         "6695febc9288e36282235fc7151f128497b38f3f"},
    };
    for (const Case& c : cases) {
        const std::string master = PasswordToKey(c.auth, "maplesyrup");
        EXPECT_EQ(HexOf(master), HexOf(c.master));
        EXPECT_EQ(HexOf(LocalizeKey(c.auth, master, engine)), HexOf(c.localized));
    }
}

TEST(UsmKeys, KeysAsNetSnmpDerivesThem) {
    // From snmpd's persistent usmUser lines: localised authentication keys,
    // and privacy keys extended to the cipher's length where the digest is shorter.
    struct Case {
        TV3Auth auth;
        TV3Priv priv;
        const char* authKey;
        const char* privKey;
    } cases[] = {
        {TV3Auth::AuthMD5, TV3Priv::PrivDES, "7d03315da0c0ff726eac49a1bbf8fc6d",
         "8d02b55c6ffb62879cb6a6ce70e45644"},
        {TV3Auth::AuthSHA1, TV3Priv::PrivAES, "d36b9351c2afd65a6807f95989fd2c252737a92f",
         "adc1b6edff9377d7f30aca8a3ef67a2d"},
        {TV3Auth::AuthSHA1, TV3Priv::PrivAES192, "d36b9351c2afd65a6807f95989fd2c252737a92f",
         "adc1b6edff9377d7f30aca8a3ef67a2d19f78f4c9a5f4a8e"},
        {TV3Auth::AuthMD5, TV3Priv::PrivAES256, "7d03315da0c0ff726eac49a1bbf8fc6d",
         "8d02b55c6ffb62879cb6a6ce70e456447dd51138e809548878d7ba8f49ffc17c"},
        {TV3Auth::AuthSHA1, TV3Priv::PrivAES192C, "d36b9351c2afd65a6807f95989fd2c252737a92f",
         "adc1b6edff9377d7f30aca8a3ef67a2d19f78f4c3c61cf18"},
        {TV3Auth::AuthMD5, TV3Priv::PrivAES256C, "7d03315da0c0ff726eac49a1bbf8fc6d",
         "8d02b55c6ffb62879cb6a6ce70e45644e70e9335858ae4660c084e9ef777e305"},
        {TV3Auth::AuthSHA224, TV3Priv::PrivAES,
         "140a076373d460838bbc65a04c67a225ee483e4611d62f874ce720a8", nullptr},
        {TV3Auth::AuthSHA256, TV3Priv::PrivAES,
         "98f7bc61ece81b854b12389ed090bd9220ede3a5ea642988f0ed2b601ede43b2", nullptr},
        {TV3Auth::AuthSHA384, TV3Priv::PrivAES,
         "035241f06d265c0d791a824bd311d5b147b0d93feef38885ee15e5b3145ac52ca3f3fb3b8b757b81ed26c3725"
         "c1"
         "ab835",
         nullptr},
        {TV3Auth::AuthSHA512, TV3Priv::PrivAES256,
         "e51d6d2a0e1de7d99affc4d77d9245d697dd418acaea8bf1a9d65d6f131acb3a0f4e04364cff8dde7f66d8908"
         "32"
         "f224b35091a9ebde778bf9cc729c6e1d91633",
         "e278a042309093941a4f637fe44fc7668a69090e5690acd36fcf3f2bb66d135a"},
    };
    for (const Case& c : cases) {
        const TUsmKeys keys(Security(c.auth, c.priv), Bytes(kAgentEngine));
        ASSERT_TRUE(keys.Valid()) << AuthProtocolName(c.auth) << " " << PrivProtocolName(c.priv);
        EXPECT_EQ(HexOf(keys.AuthKey), HexOf(c.authKey)) << AuthProtocolName(c.auth);
        if (c.privKey != nullptr) {
            EXPECT_EQ(HexOf(keys.PrivKey), HexOf(c.privKey)) << PrivProtocolName(c.priv);
        }
    }
}

TEST(V3Message, RepliesCapturedFromSnmpdDecryptAndVerify) {
    // snmpd's authPriv GetResponses to sysContact.0, one per privacy protocol.
    struct Case {
        const char* user;
        TV3Auth auth;
        TV3Priv priv;
        const char* datagram;
    } cases[] = {
        {"v3des", TV3Auth::AuthMD5, TV3Priv::PrivDES,
         "3081a4020103301102042842cc70020300ffe3040103020103043a3038041180001f888002ccf451a6bf176b"
         "0000000002010102010004057633646573040ca108d59c49e87f8f89b476470408000000018f3c639c045059"
         "7f66d3a9bfcb0803562f8bb77f95f4c374d6da5d3d2d041d0fa9f10f1d2ebf12a847166b4faee9f563b7846f"
         "f99104c25f924b3c2f4585b495c49fab0967b3161ca57cc110a5e4e165dc15481bdb29"},
        {"v3aes", TV3Auth::AuthSHA1, TV3Priv::PrivAES,
         "3081a0020103301102047fed3a07020300ffe3040103020103043a3038041180001f888002ccf451a6bf176b"
         "0000000002010102010004057633616573040cee0b0abef078169c1e4307570408e3ff650bcfc79830044c9a"
         "23f1a7de45caaffb4e6c4abf4e103e503046bff55480940441fc3fcdf497f80ab80f30097adf2093ea53d347"
         "cf71ffd3df6a4f837117f388d1c92c3618d111eda1c35fab26ce6dc23dc1f1"},
        {"v3aes192", TV3Auth::AuthSHA1, TV3Priv::PrivAES192,
         "3081a30201033011020413637e10020300ffe3040103020103043d303b041180001f888002ccf451a6bf176b"
         "0000000002010102010004087633616573313932040ce46569af46308753097701a10408e3ff650bcfc79831"
         "044cbdca7dd0b33e08025cb5b5351135b7f2ef02479e314cf4fb06566db60708c70f828c0e4f1f3fba17572e"
         "72a968c4394fad22c5a4300441f9865147f71830fa2682b68eacf25af3cc490121f5"},
        {"v3aes256", TV3Auth::AuthMD5, TV3Priv::PrivAES256,
         "3081a30201033011020438041bd4020300ffe3040103020103043d303b041180001f888002ccf451a6bf176b"
         "0000000002010102010004087633616573323536040cd8c894a7df6bbfbc14b7f96c0408e3ff650bcfc79832"
         "044ca503127ef7188a40f77570d7284e630801dc2f7bb686fb4ddfb6286091bfb337e1275458b19a5e0540a2"
         "f4df527748d1515cd55fdacd771ce456471f2c31cb57797fb7bf3e7bb2bcd727621a"},
        {"v3aes192c", TV3Auth::AuthSHA1, TV3Priv::PrivAES192C,
         "3081a40201033011020423dba633020300ffe3040103020103043e303c041180001f888002ccf451a6bf176b"
         "000000000201010201000409763361657331393263040cf926d742bb3eab03cbfbf87c0408e3ff650bcfc798"
         "33044cae48a91396053849a4509351057f3b10bef1803fe0643ac68734105c7aadd932b60c849605a558522c"
         "2c503b116b1103004b8f35bb1cdba6f6f4997bf21f1cf3e4ff91b48d63a67b8670b27b"},
        {"v3aes256c", TV3Auth::AuthMD5, TV3Priv::PrivAES256C,
         "3081a4020103301102047a45609e020300ffe3040103020103043e303c041180001f888002ccf451a6bf176b"
         "000000000201010201010409763361657332353663040ce662cb834336f548c71658290408e3ff650bcfc798"
         "34044cb62a46dfaae8b3ba97f068a2bbbcc73e30c1d43cb874c67edff58207532c78916f8d84fcd6e5c0fbd5"
         "466a4d999302311ac122fe11a6f03d03b126f485898e65c45ae42f4c0c2a97a372fc9c"},
    };
    for (const Case& c : cases) {
        const std::string datagram = Bytes(c.datagram);
        TV3Envelope envelope;
        ASSERT_TRUE(DecodeV3Envelope(datagram, envelope)) << c.user;
        EXPECT_EQ(HexOf(envelope.EngineID), HexOf(kAgentEngine));
        EXPECT_EQ(envelope.UserName, c.user);
        EXPECT_EQ(envelope.Flags, v3flag::Auth | v3flag::Priv);
        const TUsmKeys keys(Security(c.auth, c.priv), envelope.EngineID);
        EXPECT_TRUE(VerifyV3Digest(datagram, envelope, keys)) << c.user;
        TUsmCipher cipher;
        std::string plain;
        TSNMPRec reply;
        ASSERT_TRUE(ReadScopedPdu(envelope, &keys, cipher, plain, reply)) << c.user;
        EXPECT_EQ(reply.PDUType, pdu::GetResponse);
        EXPECT_EQ(reply.Flags, TV3Flags::AuthPriv);
        EXPECT_EQ(HexOf(reply.ContextEngineID), HexOf(kAgentEngine));
        EXPECT_EQ(reply.FindValue(kSysContact), "tests@pulsewell.invalid") << c.user;

        // A changed byte of the encrypted PDU fails the digest; another
        // privacy passphrase reads no such value.
        std::string tampered = datagram;
        tampered.back() = static_cast<char>(tampered.back() ^ 1);
        ASSERT_TRUE(DecodeV3Envelope(tampered, envelope));
        EXPECT_FALSE(VerifyV3Digest(tampered, envelope, keys)) << c.user;
        ASSERT_TRUE(DecodeV3Envelope(datagram, envelope));
        const TUsmKeys wrong(Security(c.auth, c.priv, "pulsewell-prov"), envelope.EngineID);
        TUsmCipher other;
        if (ReadScopedPdu(envelope, &wrong, other, plain, reply)) {
            EXPECT_NE(reply.FindValue(kSysContact), "tests@pulsewell.invalid") << c.user;
        }
    }
}

TEST(V3Security, NamesAsUsersTypeThem) {
    const std::pair<const char*, TV3Auth> auth[] = {
        {"MD5", TV3Auth::AuthMD5},        {"SHA", TV3Auth::AuthSHA1},
        {"sha1", TV3Auth::AuthSHA1},      {"SHA-224", TV3Auth::AuthSHA224},
        {"SHA256", TV3Auth::AuthSHA256},  {"sha-384", TV3Auth::AuthSHA384},
        {"SHA-512", TV3Auth::AuthSHA512},
    };
    for (const auto& [text, value] : auth) {
        EXPECT_EQ(ParseAuthProtocol(text), value) << text;
        EXPECT_EQ(ParseAuthProtocol(AuthProtocolName(value)), value) << text;
    }
    const std::pair<const char*, TV3Priv> priv[] = {
        {"DES", TV3Priv::PrivDES},         {"AES", TV3Priv::PrivAES},
        {"AES-128", TV3Priv::PrivAES},     {"aes-192", TV3Priv::PrivAES192},
        {"AES256", TV3Priv::PrivAES256},   {"AES-192-C", TV3Priv::PrivAES192C},
        {"AES256C", TV3Priv::PrivAES256C},
    };
    for (const auto& [text, value] : priv) {
        EXPECT_EQ(ParsePrivProtocol(text), value) << text;
        EXPECT_EQ(ParsePrivProtocol(PrivProtocolName(value)), value) << text;
    }
    EXPECT_EQ(ParseSecurityLevel("authpriv"), TV3Flags::AuthPriv);
    EXPECT_EQ(SecurityLevelName(TV3Flags::NoAuthNoPriv), "noAuthNoPriv");
    for (const char* wrong : {"", "SHA-1024", "3DES", "AES-128-C", "auth"}) {
        EXPECT_FALSE(ParseAuthProtocol(wrong) || ParsePrivProtocol(wrong) ||
                     ParseSecurityLevel(wrong))
            << wrong;
    }
}

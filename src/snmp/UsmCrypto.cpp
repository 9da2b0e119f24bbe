#include "snmp/UsmCrypto.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/provider.h>
#include <openssl/rand.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

namespace pulsewell::snmp {

namespace {

struct AuthInfo {
    const char* digest;
    std::size_t keyLength;
    std::size_t macLength;
};

AuthInfo Info(TV3Auth protocol) {
    switch (protocol) {
        case TV3Auth::AuthMD5:
            return {"MD5", 16, 12};
        case TV3Auth::AuthSHA1:
            return {"SHA1", 20, 12};
        case TV3Auth::AuthSHA224:
            return {"SHA2-224", 28, 16};
        case TV3Auth::AuthSHA256:
            return {"SHA2-256", 32, 24};
        case TV3Auth::AuthSHA384:
            return {"SHA2-384", 48, 32};
        case TV3Auth::AuthSHA512:
            return {"SHA2-512", 64, 48};
    }
    return {"MD5", 16, 12};
}

// Fetched once: an implicit fetch on every use would cost a store lookup per message.
const EVP_MD* Md(TV3Auth protocol) {
    static const std::array<EVP_MD*, 6> mds = [] {
        std::array<EVP_MD*, 6> all{};
        for (int i = 0; i < 6; ++i) {
            all[static_cast<std::size_t>(i)] =
                EVP_MD_fetch(nullptr, Info(static_cast<TV3Auth>(i)).digest, nullptr);
        }
        return all;
    }();
    return mds[static_cast<std::size_t>(protocol)];
}

const char* CipherName(TV3Priv protocol) {
    switch (protocol) {
        case TV3Priv::PrivDES:
            return "DES-EDE3-CBC";
        case TV3Priv::PrivAES:
            return "AES-128-CFB";
        case TV3Priv::PrivAES192:
        case TV3Priv::PrivAES192C:
            return "AES-192-CFB";
        case TV3Priv::PrivAES256:
        case TV3Priv::PrivAES256C:
            return "AES-256-CFB";
    }
    return "AES-128-CFB";
}

// Single DES comes from the legacy provider, loaded into a library context
// of its own so that the process's default context stays as it is. Without
// it, three-key 3DES with the key three times gives the same output (the
// default provider has no single DES) at three times the cost.
EVP_CIPHER* FetchSingleDes() {
    OSSL_LIB_CTX* context = OSSL_LIB_CTX_new();
    if (context == nullptr || OSSL_PROVIDER_load(context, "legacy") == nullptr) {
        OSSL_LIB_CTX_free(context);
        return nullptr;
    }
    return EVP_CIPHER_fetch(context, "DES-CBC", nullptr);
}

struct CipherChoice {
    EVP_CIPHER* cipher = nullptr;
    bool desTripled = false;  // DES as 3DES: the key goes in three times
};

const CipherChoice& Cipher(TV3Priv protocol) {
    static const std::array<CipherChoice, 6> ciphers = [] {
        std::array<CipherChoice, 6> all{};
        for (int i = 0; i < 6; ++i) {
            const auto priv = static_cast<TV3Priv>(i);
            CipherChoice& choice = all[static_cast<std::size_t>(i)];
            choice.cipher = priv == TV3Priv::PrivDES ? FetchSingleDes() : nullptr;
            if (choice.cipher == nullptr) {
                choice.cipher = EVP_CIPHER_fetch(nullptr, CipherName(priv), nullptr);
                choice.desTripled = priv == TV3Priv::PrivDES;
            }
        }
        return all;
    }();
    return ciphers[static_cast<std::size_t>(protocol)];
}

// One scratch context per thread for the HMAC's inner and outer hashes.
struct Scratch {
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    ~Scratch() { EVP_MD_CTX_free(ctx); }
};

// Salts must not repeat under one key: counters from a random start.
std::uint64_t RandomStart() {
    std::uint64_t value = 0;
    if (RAND_bytes(reinterpret_cast<unsigned char*>(&value), sizeof value) != 1) {
        value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(&value));
    }
    return value;
}

std::uint64_t NextSalt() {
    static std::atomic<std::uint64_t> counter{RandomStart()};
    return counter.fetch_add(1, std::memory_order_relaxed);
}

void PutBigEndian(unsigned char* out, std::uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) {
        out[i] = static_cast<unsigned char>(value & 0xFF);
        value >>= 8;
    }
}

// The IV: for DES the pre-IV (the key's second half) XOR the salt, for AES
// boots, time and salt.
void MakeIv(TV3Priv protocol, std::string_view key, std::int32_t boots, std::int32_t time,
            std::string_view salt, unsigned char* iv) {
    if (protocol == TV3Priv::PrivDES) {
        for (std::size_t i = 0; i < 8; ++i) {
            iv[i] = static_cast<unsigned char>(key[8 + i] ^ salt[i]);
        }
        return;
    }
    PutBigEndian(iv, static_cast<std::uint32_t>(boots), 4);
    PutBigEndian(iv + 4, static_cast<std::uint32_t>(time), 4);
    std::memcpy(iv + 8, salt.data(), 8);
}

}  // namespace

void ReleaseThreadCrypto() {
    OPENSSL_thread_stop();
}

std::size_t AuthKeyLength(TV3Auth protocol) {
    return Info(protocol).keyLength;
}
std::size_t AuthMacLength(TV3Auth protocol) {
    return Info(protocol).macLength;
}

std::size_t PrivKeyLength(TV3Priv protocol) {
    switch (protocol) {
        case TV3Priv::PrivDES:
        case TV3Priv::PrivAES:
            return 16;
        case TV3Priv::PrivAES192:
        case TV3Priv::PrivAES192C:
            return 24;
        case TV3Priv::PrivAES256:
        case TV3Priv::PrivAES256C:
            return 32;
    }
    return 16;
}

THash::THash(TV3Auth protocol) : ctx_(EVP_MD_CTX_new()) {
    const EVP_MD* md = Md(protocol);
    ok_ = ctx_ != nullptr && md != nullptr && EVP_DigestInit_ex2(ctx_, md, nullptr) == 1;
}

THash::~THash() {
    EVP_MD_CTX_free(ctx_);
}

void THash::Update(std::string_view bytes) {
    ok_ = ok_ && EVP_DigestUpdate(ctx_, bytes.data(), bytes.size()) == 1;
}

std::string THash::Final() {
    unsigned char out[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    ok_ = ok_ && EVP_DigestFinal_ex(ctx_, out, &length) == 1;
    if (!ok_) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(out), length);
}

std::string Digest(TV3Auth protocol, std::string_view bytes) {
    THash hash(protocol);
    hash.Update(bytes);
    return hash.Final();
}

THmac::THmac(TV3Auth protocol, std::string_view key) : macLength_(AuthMacLength(protocol)) {
    const EVP_MD* md = Md(protocol);
    if (md == nullptr) {
        return;
    }
    const auto block = static_cast<std::size_t>(EVP_MD_get_block_size(md));
    std::string shortKey(key);
    if (shortKey.size() > block) {
        shortKey = Digest(protocol, key);
    }
    std::string ipad(block, '\x36');
    std::string opad(block, '\x5C');
    for (std::size_t i = 0; i < shortKey.size(); ++i) {
        ipad[i] = static_cast<char>(ipad[i] ^ shortKey[i]);
        opad[i] = static_cast<char>(opad[i] ^ shortKey[i]);
    }
    EVP_MD_CTX* inner = EVP_MD_CTX_new();
    EVP_MD_CTX* outer = EVP_MD_CTX_new();
    const bool ok = inner != nullptr && outer != nullptr &&
                    EVP_DigestInit_ex2(inner, md, nullptr) == 1 &&
                    EVP_DigestUpdate(inner, ipad.data(), ipad.size()) == 1 &&
                    EVP_DigestInit_ex2(outer, md, nullptr) == 1 &&
                    EVP_DigestUpdate(outer, opad.data(), opad.size()) == 1;
    OPENSSL_cleanse(ipad.data(), ipad.size());
    OPENSSL_cleanse(opad.data(), opad.size());
    OPENSSL_cleanse(shortKey.data(), shortKey.size());
    if (!ok) {
        EVP_MD_CTX_free(inner);
        EVP_MD_CTX_free(outer);
        return;
    }
    inner_ = inner;
    outer_ = outer;
}

THmac::~THmac() {
    EVP_MD_CTX_free(inner_);
    EVP_MD_CTX_free(outer_);
}

bool THmac::Sign(std::string_view bytes, char* mac, std::size_t macAt) const {
    if (inner_ == nullptr) {
        return false;
    }
    thread_local Scratch scratch;
    EVP_MD_CTX* work = scratch.ctx;
    static const unsigned char zeros[EVP_MAX_MD_SIZE] = {};
    const auto update = [&](std::string_view part) {
        return EVP_DigestUpdate(work, part.data(), part.size()) == 1;
    };
    bool ok = work != nullptr && EVP_MD_CTX_copy_ex(work, inner_) == 1;
    if (macAt < bytes.size()) {
        const std::size_t after = std::min(bytes.size(), macAt + macLength_);
        ok = ok && update(bytes.substr(0, macAt)) &&
             EVP_DigestUpdate(work, zeros, after - macAt) == 1 && update(bytes.substr(after));
    } else {
        ok = ok && update(bytes);
    }
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!ok || EVP_DigestFinal_ex(work, digest, &length) != 1 ||
        EVP_MD_CTX_copy_ex(work, outer_) != 1 || EVP_DigestUpdate(work, digest, length) != 1 ||
        EVP_DigestFinal_ex(work, digest, &length) != 1 || length < macLength_) {
        return false;
    }
    std::memcpy(mac, digest, macLength_);
    return true;
}

TUsmCipher::~TUsmCipher() {
    EVP_CIPHER_CTX_free(encrypt_.ctx);
    EVP_CIPHER_CTX_free(decrypt_.ctx);
}

bool TUsmCipher::Run(Side& side, bool encrypt, TV3Priv protocol, std::string_view key,
                     const unsigned char* iv, std::string_view in, std::string& out) {
    const CipherChoice& choice = Cipher(protocol);
    if (choice.cipher == nullptr || key.size() < PrivKeyLength(protocol)) {
        return false;
    }
    const int enc = encrypt ? 1 : 0;
    if (side.ctx != nullptr && side.protocol == protocol && side.key == key) {
        // Same key: only the IV changes, the key schedule stays.
        if (EVP_CipherInit_ex2(side.ctx, nullptr, nullptr, iv, enc, nullptr) != 1) {
            return false;
        }
    } else {
        if (side.ctx == nullptr) {
            side.ctx = EVP_CIPHER_CTX_new();
        }
        // DES takes the key's first half (the second is the pre-IV).
        std::string material(key.substr(0, protocol == TV3Priv::PrivDES ? 8 : key.size()));
        if (choice.desTripled) {
            material = material + material + material;
        } else if (protocol != TV3Priv::PrivDES) {
            material.resize(PrivKeyLength(protocol));
        }
        const bool ok = side.ctx != nullptr &&
                        EVP_CipherInit_ex2(side.ctx, choice.cipher,
                                           reinterpret_cast<const unsigned char*>(material.data()),
                                           iv, enc, nullptr) == 1;
        OPENSSL_cleanse(material.data(), material.size());
        if (!ok) {
            side.key.clear();
            return false;
        }
        EVP_CIPHER_CTX_set_padding(side.ctx, 0);
        side.protocol = protocol;
        side.key.assign(key);
    }
    out.resize(in.size() + 16);
    int written = 0;
    int last = 0;
    auto* to = reinterpret_cast<unsigned char*>(out.data());
    if (EVP_CipherUpdate(side.ctx, to, &written, reinterpret_cast<const unsigned char*>(in.data()),
                         static_cast<int>(in.size())) != 1 ||
        EVP_CipherFinal_ex(side.ctx, to + written, &last) != 1) {
        out.clear();
        return false;
    }
    out.resize(static_cast<std::size_t>(written + last));
    return true;
}

bool TUsmCipher::Encrypt(TV3Priv protocol, std::string_view key, std::int32_t boots,
                         std::int32_t time, std::string_view plain, std::string& out,
                         std::string& privParams) {
    unsigned char salt[8];
    if (protocol == TV3Priv::PrivDES) {
        // Boots and a counter: unique under one key for as long as boots holds.
        PutBigEndian(salt, static_cast<std::uint32_t>(boots), 4);
        PutBigEndian(salt + 4, NextSalt() & 0xFFFFFFFFu, 4);
    } else {
        PutBigEndian(salt, NextSalt(), 8);
    }
    privParams.assign(reinterpret_cast<const char*>(salt), sizeof salt);
    if (key.size() < PrivKeyLength(protocol)) {
        return false;
    }
    unsigned char iv[16];
    MakeIv(protocol, key, boots, time, privParams, iv);
    if (protocol == TV3Priv::PrivDES && plain.size() % 8 != 0) {
        // CBC needs whole blocks; the scoped PDU's own length tells the reader where it ends.
        std::string padded(plain);
        padded.resize((plain.size() + 7) / 8 * 8, '\0');
        return Run(encrypt_, true, protocol, key, iv, padded, out);
    }
    return Run(encrypt_, true, protocol, key, iv, plain, out);
}

bool TUsmCipher::Decrypt(TV3Priv protocol, std::string_view key, std::int32_t boots,
                         std::int32_t time, std::string_view privParams,
                         std::string_view cipherText, std::string& out) {
    if (privParams.size() != 8 || key.size() < PrivKeyLength(protocol) ||
        (protocol == TV3Priv::PrivDES && cipherText.size() % 8 != 0)) {
        return false;
    }
    unsigned char iv[16];
    MakeIv(protocol, key, boots, time, privParams, iv);
    return Run(decrypt_, false, protocol, key, iv, cipherText, out);
}

}  // namespace pulsewell::snmp

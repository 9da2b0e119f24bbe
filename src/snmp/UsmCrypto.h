#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "snmp/SnmpRec.h"

struct evp_md_ctx_st;
struct evp_cipher_ctx_st;

// The User-based Security Model's cryptography over OpenSSL 3 (libcrypto EVP):
// digests, HMACs truncated to the protocol's MAC length, and the ciphers of
// the scoped PDU. Algorithms are fetched once per process; nothing throws.
namespace pulsewell::snmp {

// Frees the calling thread's share of the crypto library (its random
// generators), which it does not free by itself when a thread ends: a thread
// that spoke SNMPv3 calls this last.
void ReleaseThreadCrypto();

// Digest output length, the length of a localized authentication key.
std::size_t AuthKeyLength(TV3Auth protocol);
// Length of the MAC in msgAuthenticationParameters: 12 for MD5 and SHA-1,
// 16/24/32/48 for SHA-224/256/384/512.
std::size_t AuthMacLength(TV3Auth protocol);
// Key material the cipher needs: DES 16 (key and pre-IV), AES 16, 24 or 32.
std::size_t PrivKeyLength(TV3Priv protocol);

// A digest fed in pieces; Final is empty when OpenSSL lacks the digest.
class THash {
  public:
    explicit THash(TV3Auth protocol);
    ~THash();
    THash(const THash&) = delete;
    THash& operator=(const THash&) = delete;
    void Update(std::string_view bytes);
    std::string Final();

  private:
    evp_md_ctx_st* ctx_ = nullptr;
    bool ok_ = false;
};

std::string Digest(TV3Auth protocol, std::string_view bytes);

// An HMAC whose key pads are hashed once, so that a message costs only the
// hashing of its own bytes. Safe to use from several threads at once.
class THmac {
  public:
    THmac(TV3Auth protocol, std::string_view key);
    ~THmac();
    THmac(const THmac&) = delete;
    THmac& operator=(const THmac&) = delete;
    bool Valid() const { return inner_ != nullptr; }
    std::size_t MacLength() const { return macLength_; }
    // The MAC of bytes, truncated, into mac (MacLength() bytes); the
    // MacLength() bytes at macAt count as zeros, as when a message is checked.
    bool Sign(std::string_view bytes, char* mac, std::size_t macAt = std::string_view::npos) const;

  private:
    evp_md_ctx_st* inner_ = nullptr;
    evp_md_ctx_st* outer_ = nullptr;
    std::size_t macLength_ = 0;
};

// Encryption and decryption of scoped PDUs for one client. The contexts keep
// their key schedules from message to message while the key stays the same.
class TUsmCipher {
  public:
    TUsmCipher() = default;
    ~TUsmCipher();
    TUsmCipher(const TUsmCipher&) = delete;
    TUsmCipher& operator=(const TUsmCipher&) = delete;

    // key: PrivKeyLength(protocol) bytes. privParams gets the salt.
    bool Encrypt(TV3Priv protocol, std::string_view key, std::int32_t boots, std::int32_t time,
                 std::string_view plain, std::string& out, std::string& privParams);
    // False when the lengths do not fit the protocol or OpenSSL fails.
    bool Decrypt(TV3Priv protocol, std::string_view key, std::int32_t boots, std::int32_t time,
                 std::string_view privParams, std::string_view cipherText, std::string& out);

  private:
    struct Side {
        evp_cipher_ctx_st* ctx = nullptr;
        TV3Priv protocol = TV3Priv::PrivDES;
        std::string key;
    };
    bool Run(Side& side, bool encrypt, TV3Priv protocol, std::string_view key,
             const unsigned char* iv, std::string_view in, std::string& out);

    Side encrypt_;
    Side decrypt_;
};

}  // namespace pulsewell::snmp

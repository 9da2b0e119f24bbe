#include "snmp/UsmKeys.h"

#include <openssl/crypto.h>

#include <map>
#include <mutex>

namespace pulsewell::snmp {

namespace {

constexpr std::size_t kExpandedLength = 1048576;
constexpr std::size_t kMostCachedKeys = 64;

// Length-prefixed, so that no two different field lists give the same text.
void AppendField(std::string& out, std::string_view field) {
    const auto n = static_cast<std::uint32_t>(field.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        out += static_cast<char>((n >> shift) & 0xFF);
    }
    out += field;
}

std::string LocalizedFromPassphrase(TV3Auth protocol, std::string_view passphrase,
                                    std::string_view engineId) {
    std::string master = PasswordToKey(protocol, passphrase);
    std::string localized = LocalizeKey(protocol, master, engineId);
    OPENSSL_cleanse(master.data(), master.size());
    return localized;
}

std::string DerivePrivKey(const TV3Security& security, std::string_view engineId,
                          std::string_view localizedAuthKey) {
    if (security.Level != TV3Flags::AuthPriv) {
        return {};
    }
    // One passphrase for both keys is common: its megabyte is hashed once.
    std::string localized =
        security.PrivPassphrase == security.AuthPassphrase
            ? std::string(localizedAuthKey)
            : LocalizedFromPassphrase(security.AuthProtocol, security.PrivPassphrase, engineId);
    std::string key = PrivacyKey(security.AuthProtocol, security.PrivProtocol, localized, engineId);
    OPENSSL_cleanse(localized.data(), localized.size());
    return key;
}

}  // namespace

std::string PasswordToKey(TV3Auth protocol, std::string_view passphrase) {
    if (passphrase.empty()) {
        return {};
    }
    // Whole copies of the passphrase per block, so that every block continues
    // the repetition where the last one ended.
    std::string block;
    while (block.size() < 4096) {
        block += passphrase;
    }
    THash hash(protocol);
    std::size_t left = kExpandedLength;
    while (left > 0) {
        const std::size_t n = std::min(left, block.size());
        hash.Update(std::string_view(block).substr(0, n));
        left -= n;
    }
    OPENSSL_cleanse(block.data(), block.size());
    return hash.Final();
}

std::string LocalizeKey(TV3Auth protocol, std::string_view masterKey, std::string_view engineId) {
    if (masterKey.empty()) {
        return {};
    }
    THash hash(protocol);
    hash.Update(masterKey);
    hash.Update(engineId);
    hash.Update(masterKey);
    return hash.Final();
}

std::string PrivacyKey(TV3Auth auth, TV3Priv priv, std::string_view localizedKey,
                       std::string_view engineId) {
    const std::size_t need = PrivKeyLength(priv);
    std::string key(localizedKey);
    if (key.empty()) {
        return {};
    }
    const bool cisco = priv == TV3Priv::PrivAES192C || priv == TV3Priv::PrivAES256C;
    std::string last(localizedKey);
    while (key.size() < need) {
        last = cisco ? LocalizedFromPassphrase(auth, last, engineId) : Digest(auth, key);
        if (last.empty()) {
            return {};
        }
        key += last;
    }
    OPENSSL_cleanse(last.data(), last.size());
    key.resize(need);
    return key;
}

TUsmKeys::TUsmKeys(const TV3Security& security, std::string_view engineId)
    : Level(security.Level),
      Auth(security.AuthProtocol),
      Priv(security.PrivProtocol),
      AuthKey(LocalizedFromPassphrase(Auth, security.AuthPassphrase, engineId)),
      PrivKey(DerivePrivKey(security, engineId, AuthKey)),
      Hmac(Auth, AuthKey) {}

bool TUsmKeys::Valid() const {
    return AuthKey.size() == AuthKeyLength(Auth) && Hmac.Valid() &&
           (Level != TV3Flags::AuthPriv || PrivKey.size() == PrivKeyLength(Priv));
}

std::shared_ptr<const TUsmKeys> UsmKeysFor(const TV3Security& security, std::string_view engineId) {
    if (security.Level == TV3Flags::NoAuthNoPriv) {
        return nullptr;
    }
    // The passphrases enter the cache only as a digest.
    std::string secrets;
    AppendField(secrets, security.AuthPassphrase);
    if (security.Level == TV3Flags::AuthPriv) {
        AppendField(secrets, security.PrivPassphrase);
    }
    std::string name;
    AppendField(name, engineId);
    AppendField(name, security.UserName);
    name += static_cast<char>(security.Level);
    name += static_cast<char>(security.AuthProtocol);
    name += static_cast<char>(security.PrivProtocol);
    name += Digest(TV3Auth::AuthSHA256, secrets);
    OPENSSL_cleanse(secrets.data(), secrets.size());

    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<const TUsmKeys>> cache;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        const auto found = cache.find(name);
        if (found != cache.end()) {
            return found->second;
        }
    }
    // Derived outside the lock: other hosts' polls need not wait for it.
    auto keys = std::make_shared<const TUsmKeys>(security, engineId);
    if (!keys->Valid()) {
        return keys;
    }
    const std::lock_guard<std::mutex> lock(mutex);
    if (cache.size() >= kMostCachedKeys) {
        cache.clear();
    }
    return cache.emplace(name, keys).first->second;
}

}  // namespace pulsewell::snmp

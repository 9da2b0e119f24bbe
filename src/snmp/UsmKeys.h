#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "snmp/UsmCrypto.h"
#include "snmp/V3Security.h"

// Keys of the User-based Security Model: passphrase to master key, the key
// localised to one engine, a privacy key extended to the cipher's length, and
// a process-wide cache so that only the first request to an engine pays for
// the derivation (a megabyte of hashing per passphrase).
namespace pulsewell::snmp {

// Ku: the digest of the passphrase repeated to 1,048,576 bytes.
std::string PasswordToKey(TV3Auth protocol, std::string_view passphrase);
// Kul = H(Ku || engineID || Ku).
std::string LocalizeKey(TV3Auth protocol, std::string_view masterKey, std::string_view engineId);
// The localised privacy key cut or extended to PrivKeyLength(priv). A key
// shorter than needed grows by H(key so far) for AES-192/AES-256, and by the
// key localised again from itself taken as a passphrase for AES-192-C/AES-256-C.
std::string PrivacyKey(TV3Auth auth, TV3Priv priv, std::string_view localizedKey,
                       std::string_view engineId);

// One user's keys at one engine.
struct TUsmKeys {
    TUsmKeys(const TV3Security& security, std::string_view engineId);
    bool Valid() const;

    TV3Flags Level;
    TV3Auth Auth;
    TV3Priv Priv;
    std::string AuthKey;
    std::string PrivKey;
    THmac Hmac;
    // The engine has sent a message that these keys authenticated.
    mutable std::atomic<bool> AuthConfirmed{false};
    // The engine has answered an encrypted request made with these keys.
    mutable std::atomic<bool> PrivConfirmed{false};
};

// The keys for security at engineId, derived at the first call and cached per
// engine, user, protocols and passphrases. Null for noAuthNoPriv.
std::shared_ptr<const TUsmKeys> UsmKeysFor(const TV3Security& security, std::string_view engineId);

}  // namespace pulsewell::snmp

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "snmp/SnmpRec.h"

// Who asks in SNMPv3 and how its messages are protected (the User-based
// Security Model), the names of levels and protocols as users type them, and
// the causes of a failed SNMPv3 exchange in words.
namespace pulsewell::snmp {

struct TV3Security {
    std::string UserName;
    TV3Flags Level = TV3Flags::NoAuthNoPriv;
    TV3Auth AuthProtocol = TV3Auth::AuthMD5;
    std::string AuthPassphrase;
    TV3Priv PrivProtocol = TV3Priv::PrivDES;
    std::string PrivPassphrase;
    std::string ContextName;

    bool operator==(const TV3Security&) const = default;
};

enum class TV3Problem {
    None,
    MissingUser,               // no user name: nothing was sent
    ShortPassphrase,           // a passphrase below 8 characters: nothing was sent
    NoResponse,                // the agent did not answer at all
    UnknownUser,               // usmStatsUnknownUserNames
    AuthenticationFailed,      // usmStatsWrongDigests: passphrase or protocol
    UnsupportedSecurityLevel,  // usmStatsUnsupportedSecLevels
    UnknownEngineID,           // usmStatsUnknownEngineIDs, also after a fresh discovery
    NotInTimeWindow,           // usmStatsNotInTimeWindows, also after a resynchronisation
    DecryptionError,           // usmStatsDecryptionErrors
    PrivacyProbablyWrong,      // authentication worked, the encrypted request went unanswered
    AccessDenied,              // an authorizationError reply: level or view too narrow
    OtherReport,               // a Report this client has no words for
    CryptoUnavailable,         // OpenSSL refused a digest or cipher
    RequestTooBig,             // the request would not fit a datagram: nothing was sent
};

// One English sentence for the cause, for logs and messages.
std::string V3ProblemText(TV3Problem problem);
// A cause that another attempt cannot change (all but silence).
bool V3ProblemIsFinal(TV3Problem problem);

// "noAuthNoPriv", "authNoPriv", "authPriv"; "MD5", "SHA", "SHA-224" ...
// "SHA-512"; "DES", "AES", "AES-192", "AES-256", "AES-192-C", "AES-256-C".
// Parsing ignores letter case and also takes "SHA1", "AES128" and the names
// without the dash ("SHA256", "AES192C"), as Net-SNMP's tools do.
std::string_view SecurityLevelName(TV3Flags level);
std::string_view AuthProtocolName(TV3Auth protocol);
std::string_view PrivProtocolName(TV3Priv protocol);
std::optional<TV3Flags> ParseSecurityLevel(std::string_view text);
std::optional<TV3Auth> ParseAuthProtocol(std::string_view text);
std::optional<TV3Priv> ParsePrivProtocol(std::string_view text);

}  // namespace pulsewell::snmp

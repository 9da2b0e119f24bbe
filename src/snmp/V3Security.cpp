#include "snmp/V3Security.h"

#include <array>
#include <utility>

namespace pulsewell::snmp {

namespace {

// Upper case without dashes, so that "sha-256", "SHA256" and "Sha-256" meet.
std::string Folded(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '-') {
            continue;
        }
        out += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return out;
}

template <typename T, std::size_t N>
std::optional<T> Find(const std::array<std::pair<std::string_view, T>, N>& names,
                      std::string_view text) {
    const std::string folded = Folded(text);
    for (const auto& [name, value] : names) {
        if (Folded(name) == folded) {
            return value;
        }
    }
    return std::nullopt;
}

constexpr std::array<std::pair<std::string_view, TV3Flags>, 3> kLevels{{
    {"noAuthNoPriv", TV3Flags::NoAuthNoPriv},
    {"authNoPriv", TV3Flags::AuthNoPriv},
    {"authPriv", TV3Flags::AuthPriv},
}};

// The first name of each protocol is the one it is printed with.
constexpr std::array<std::pair<std::string_view, TV3Auth>, 7> kAuth{{
    {"MD5", TV3Auth::AuthMD5},
    {"SHA", TV3Auth::AuthSHA1},
    {"SHA-1", TV3Auth::AuthSHA1},
    {"SHA-224", TV3Auth::AuthSHA224},
    {"SHA-256", TV3Auth::AuthSHA256},
    {"SHA-384", TV3Auth::AuthSHA384},
    {"SHA-512", TV3Auth::AuthSHA512},
}};

constexpr std::array<std::pair<std::string_view, TV3Priv>, 7> kPriv{{
    {"DES", TV3Priv::PrivDES},
    {"AES", TV3Priv::PrivAES},
    {"AES-128", TV3Priv::PrivAES},
    {"AES-192", TV3Priv::PrivAES192},
    {"AES-256", TV3Priv::PrivAES256},
    {"AES-192-C", TV3Priv::PrivAES192C},
    {"AES-256-C", TV3Priv::PrivAES256C},
}};

template <typename T, std::size_t N>
std::string_view NameOf(const std::array<std::pair<std::string_view, T>, N>& names, T value) {
    for (const auto& [name, v] : names) {
        if (v == value) {
            return name;
        }
    }
    return {};
}

}  // namespace

std::string_view SecurityLevelName(TV3Flags level) {
    return NameOf(kLevels, level);
}
std::string_view AuthProtocolName(TV3Auth protocol) {
    return NameOf(kAuth, protocol);
}
std::string_view PrivProtocolName(TV3Priv protocol) {
    return NameOf(kPriv, protocol);
}

std::optional<TV3Flags> ParseSecurityLevel(std::string_view text) {
    return Find(kLevels, text);
}
std::optional<TV3Auth> ParseAuthProtocol(std::string_view text) {
    return Find(kAuth, text);
}
std::optional<TV3Priv> ParsePrivProtocol(std::string_view text) {
    return Find(kPriv, text);
}

bool V3ProblemIsFinal(TV3Problem problem) {
    return problem != TV3Problem::None && problem != TV3Problem::NoResponse &&
           problem != TV3Problem::PrivacyProbablyWrong;
}

std::string V3ProblemText(TV3Problem problem) {
    switch (problem) {
        case TV3Problem::None:
            return "";
        case TV3Problem::MissingUser:
            return "No SNMPv3 user name given.";
        case TV3Problem::ShortPassphrase:
            return "An SNMPv3 passphrase must have at least 8 characters.";
        case TV3Problem::NoResponse:
            return "The device did not answer in SNMPv3.";
        case TV3Problem::UnknownUser:
            return "The device does not know this SNMPv3 user.";
        case TV3Problem::AuthenticationFailed:
            return "SNMPv3 authentication failed: wrong authentication passphrase or protocol.";
        case TV3Problem::UnsupportedSecurityLevel:
            return "The device does not support this security level for this SNMPv3 user.";
        case TV3Problem::UnknownEngineID:
            return "The device did not accept its own SNMPv3 engine ID.";
        case TV3Problem::NotInTimeWindow:
            return "The device's SNMPv3 clock could not be followed (not in time window).";
        case TV3Problem::DecryptionError:
            return "The device could not decrypt the request: wrong privacy protocol or "
                   "passphrase.";
        case TV3Problem::PrivacyProbablyWrong:
            return "Authentication worked but the encrypted request went unanswered: the privacy "
                   "passphrase or protocol is probably wrong.";
        case TV3Problem::AccessDenied:
            return "Access denied: the security level is too low for this SNMPv3 user, or the "
                   "object is outside its view.";
        case TV3Problem::OtherReport:
            return "The device refused the SNMPv3 request with a report.";
        case TV3Problem::CryptoUnavailable:
            return "This protocol is not available from the system's OpenSSL.";
        case TV3Problem::RequestTooBig:
            return "The request could not be sent because it is too big.";
    }
    return "";
}

}  // namespace pulsewell::snmp

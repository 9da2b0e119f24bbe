#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "snmp/SnmpRec.h"
#include "snmp/UsmKeys.h"
#include "snmp/V3Security.h"

// SNMPv3 messages with the User-based Security Model: the version 3 layout
// around a TSNMPRec's PDU, signed and encrypted as its Flags say, and read
// back in steps, so that a caller can pick keys by what the header says
// before it trusts the rest.
namespace pulsewell::snmp {

namespace v3flag {
inline constexpr int Auth = 0x01;
inline constexpr int Priv = 0x02;
inline constexpr int Reportable = 0x04;
}  // namespace v3flag

inline constexpr std::int32_t kUsmSecurityModel = 3;

// The parts of a received message outside its scoped PDU; the views point
// into the datagram.
struct TV3Envelope {
    std::int32_t MessageID = 0;
    std::int32_t MaxSize = 0;
    int Flags = 0;
    std::int32_t SecurityModel = 0;
    std::string_view EngineID;
    std::int32_t Boots = 0;
    std::int32_t Time = 0;
    std::string_view UserName;
    std::string_view AuthParams;
    std::string_view PrivParams;
    // The scoped PDU item, or under privacy the encrypted bytes.
    std::string_view Data;
};

// rec's PDU as an SNMPv3 message: Flags, FlagReportable, MessageID, MaxSize,
// AuthEngineID/Boots/Time, UserName and the context fields set by the caller;
// keys for a level above noAuthNoPriv. False when keys are missing or a cipher fails.
bool EncodeV3Message(const TSNMPRec& rec, const TUsmKeys* keys, TUsmCipher& cipher,
                     std::string& out);

// False for anything but a well-formed SNMPv3 message with a single-byte msgFlags.
bool DecodeV3Envelope(std::string_view datagram, TV3Envelope& out);
// The datagram's MAC, computed with the key, equals its msgAuthenticationParameters.
bool VerifyV3Digest(std::string_view datagram, const TV3Envelope& envelope, const TUsmKeys& keys);
// Decrypts the scoped PDU when the flags say so (scratch keeps the plain
// bytes) and reads it into rec with the envelope's fields.
bool ReadScopedPdu(const TV3Envelope& envelope, const TUsmKeys* keys, TUsmCipher& cipher,
                   std::string& scratch, TSNMPRec& rec);

// The cause a Report names by its first binding's identifier.
TV3Problem ReportProblem(std::string_view oid);

}  // namespace pulsewell::snmp

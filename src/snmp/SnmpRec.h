#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "snmp/Oid.h"

// One SNMP message (SNMPv1/v2c layout and the SNMPv1 trap layout) with its
// variable bindings, all values held as text with their BER type code. The
// SNMPv3 layout around the same PDU is built and read by V3Message.h.
namespace pulsewell::snmp {

class ReverseWriter;

namespace pdu {
inline constexpr int GetRequest = 0xA0;
inline constexpr int GetNextRequest = 0xA1;
inline constexpr int GetResponse = 0xA2;
inline constexpr int SetRequest = 0xA3;
inline constexpr int Trap = 0xA4;
inline constexpr int GetBulkRequest = 0xA5;
inline constexpr int Report = 0xA8;
}  // namespace pdu

// The message's version field.
namespace version {
inline constexpr int V1 = 0;
inline constexpr int V2c = 1;
inline constexpr int V3 = 3;
}  // namespace version

struct TSNMPMib {
    // The identifier as text; empty for a binding added by its bytes, or
    // decoded by a record that keeps no identifier texts.
    std::string ObjectId;
    std::string ValueText;
    std::int32_t TypeCode = 0x05;
    // The identifier's BER contents: from a decode, or from AddBinding of a
    // TOid; empty for a binding added by its text.
    std::string OidBytes = {};
};

// A binding where it lies in a decoded datagram: views of the identifier's
// and the value's BER contents, valid while the datagram's bytes are.
struct TWireBinding {
    std::string_view Oid;
    std::int32_t Type = 0;
    // Empty for an SNMPv2c exception value, whatever the agent put inside.
    std::string_view Contents;
};

// The security level of an SNMPv3 message.
enum class TV3Flags { NoAuthNoPriv, AuthNoPriv, AuthPriv };
enum class TV3Auth { AuthMD5, AuthSHA1, AuthSHA224, AuthSHA256, AuthSHA384, AuthSHA512 };
// AES192/AES256 extend a short key as Net-SNMP does, the C kinds as Cisco does.
enum class TV3Priv { PrivDES, PrivAES, PrivAES192, PrivAES256, PrivAES192C, PrivAES256C };

class TSNMPRec {
  public:
    TSNMPRec();

    // Back to an empty SNMPv1 message; ID and MaxSize survive.
    void Reset();
    void AddBinding(std::string_view oid, std::string_view value, std::int32_t type);
    // The same with the identifier's bytes, which go on the wire as they are.
    void AddBinding(const TOid& oid, std::string_view value, std::int32_t type);
    int BindingCount() const { return static_cast<int>(count_); }
    std::span<const TSNMPMib> Bindings() const { return {bindings_.data(), count_}; }
    // The bindings of the last decode where they lie in its datagram.
    std::span<const TWireBinding> WireBindings() const { return {wire_.data(), wire_.size()}; }
    // Value of the first binding whose identifier text equals oid byte for byte.
    std::string FindValue(std::string_view oid) const;
    // Value of the first binding whose identifier has these bytes.
    std::string FindValue(const TOid& oid) const;
    // Whether a decode writes each binding's identifier as text as well as
    // bytes (the default); a caller that finds values by TOid can do without.
    // A reset keeps it.
    bool OidTexts = true;
    // Whether a decode copies the bindings into Bindings() (the default) or
    // leaves them in the datagram, for a caller that reads many numbers from
    // WireBindings() alone. A reset keeps it.
    bool CopyBindings = true;

    // The datagram bytes. The version 3 layout is not built: empty bytes.
    std::string EncodeMessage() const;
    // False (and a reset record) when the datagram is too short, not
    // constructed, shorter than its outer length, or a version 3 message.
    // A binding with an SNMPv2c exception value has empty value text.
    bool DecodeMessage(std::string_view data);

    // The PDU alone, for the SNMPv3 scoped PDU: written in front of what out
    // holds; read from data, which must end where the PDU ends.
    void EncodePdu(ReverseWriter& out) const;
    void DecodePdu(std::string_view data);

    std::int32_t& NonRepeaters() { return ErrorStatus; }
    std::int32_t& MaxRepetitions() { return ErrorIndex; }

    std::int32_t Version = 0;
    std::int32_t PDUType = 0;
    std::int32_t ID = 1;
    std::int32_t ErrorStatus = 0;
    std::int32_t ErrorIndex = 0;
    std::string Community;
    std::int32_t MaxSize = 1472;

    // Version 3 fields, used by V3Message.h.
    std::int32_t MessageID = 0;
    TV3Flags Flags = TV3Flags::NoAuthNoPriv;
    bool FlagReportable = false;
    std::string ContextEngineID;
    std::string ContextName;
    TV3Auth AuthMode = TV3Auth::AuthMD5;
    TV3Priv PrivMode = TV3Priv::PrivDES;
    std::string AuthEngineID;
    std::int32_t AuthEngineBoots = 0;
    std::int32_t AuthEngineTime = 0;
    std::uint32_t AuthEngineTimeStamp = 0;
    std::string UserName;
    std::string Password;
    std::string AuthKey;
    std::string PrivKey;

    std::string OldTrapEnterprise;
    std::string OldTrapHost;
    std::int32_t OldTrapGen = 0;
    std::int32_t OldTrapSpec = 0;
    std::int32_t OldTrapTimeTicks = 0;

  private:
    // The PDU at pos, its bindings read while pos stays below bindingsEnd.
    void ReadPdu(std::string_view data, std::size_t& pos, std::int64_t bindingsEnd);
    // The next binding to fill: a freed one is reused with its text storage.
    TSNMPMib& NextBinding();

    // Only the first count_ are bindings; the rest keep their storage for reuse.
    std::vector<TSNMPMib> bindings_;
    std::size_t count_ = 0;
    std::vector<TWireBinding> wire_;
};

}  // namespace pulsewell::snmp

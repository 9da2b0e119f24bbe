#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One SNMP message (SNMPv1/v2c layout and the SNMPv1 trap layout) with its
// variable bindings, all values held as text with their BER type code.
namespace pulsewell::snmp {

namespace pdu {
inline constexpr int GetRequest = 0xA0;
inline constexpr int GetNextRequest = 0xA1;
inline constexpr int GetResponse = 0xA2;
inline constexpr int SetRequest = 0xA3;
inline constexpr int Trap = 0xA4;
}  // namespace pdu

// The message's version field.
namespace version {
inline constexpr int V1 = 0;
inline constexpr int V2c = 1;
}  // namespace version

struct TSNMPMib {
    std::string ObjectId;
    std::string ValueText;
    std::int32_t TypeCode = 0x05;
};

enum class TV3Flags { NoAuthNoPriv, AuthNoPriv, AuthPriv };
enum class TV3Auth { AuthMD5, AuthSHA1 };

class TSNMPRec {
  public:
    TSNMPRec();

    // Back to an empty SNMPv1 message; ID and MaxSize survive.
    void Reset();
    void AddBinding(std::string_view oid, std::string_view value, std::int32_t type);
    int BindingCount() const { return static_cast<int>(count_); }
    std::span<const TSNMPMib> Bindings() const { return {bindings_.data(), count_}; }
    // Value of the first binding whose identifier text equals oid byte for byte.
    std::string FindValue(std::string_view oid) const;

    // The datagram bytes. The version 3 layout is not built: empty bytes.
    std::string EncodeMessage() const;
    // False (and a reset record) when the datagram is too short, not
    // constructed, shorter than its outer length, or a version 3 message.
    // A binding with an SNMPv2c exception value has empty value text.
    bool DecodeMessage(std::string_view data);

    std::int32_t& NonRepeaters() { return ErrorStatus; }
    std::int32_t& MaxRepetitions() { return ErrorIndex; }

    std::int32_t Version = 0;
    std::int32_t PDUType = 0;
    std::int32_t ID = 1;
    std::int32_t ErrorStatus = 0;
    std::int32_t ErrorIndex = 0;
    std::string Community;
    std::int32_t MaxSize = 1472;

    // Version 3 fields: kept and reset only, this client speaks v1/v2c.
    TV3Flags Flags = TV3Flags::NoAuthNoPriv;
    bool FlagReportable = false;
    std::string ContextEngineID;
    std::string ContextName;
    TV3Auth AuthMode = TV3Auth::AuthMD5;
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
    // The next binding to fill: a freed one is reused with its text storage.
    TSNMPMib& NextBinding();

    // Only the first count_ are bindings; the rest keep their storage for reuse.
    std::vector<TSNMPMib> bindings_;
    std::size_t count_ = 0;
};

}  // namespace pulsewell::snmp

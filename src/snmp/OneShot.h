#pragma once

#include <cstdint>
#include <string>

#include "snmp/Interrupt.h"
#include "snmp/Oid.h"
#include "snmp/SnmpRec.h"
#include "snmp/SnmpSend.h"
#include "snmp/V3Security.h"

// Single requests with a short-lived client: by default one attempt, 5000 ms.
// Failure is false with empty value text; ReadNextValue then leaves oid unchanged. An
// SNMPv2c exception value is an answer without a value (empty text), and
// endOfMibView leaves oid unchanged, as an SNMPv1 agent's echo at the end of
// its tree does, so that a walk ends there. With version::V3 the request goes
// out as SNMPv3 for security (the community is not used) and problem, when
// given, gets the cause of a failure.
namespace pulsewell::snmp {

class TSNMPSend;

// How long a request waits for its reply, and how often it is sent again
// while unanswered (an SNMPv3 Report that names its cause is not asked again).
struct TPatience {
    std::int32_t TimeoutMs = DefaultTimeout(5000);
    std::int32_t Retries = 0;
};

// A raised interrupt ends the wait at once, as a failure.
bool ReadOneValue(const std::string& oid, const std::string& community, const std::string& host,
                  std::string& value, int snmpVersion = version::V1,
                  const Interrupt* interrupt = nullptr, const TV3Security& security = {},
                  TV3Problem* problem = nullptr, const TPatience& patience = {});
bool ReadNextValue(std::string& oid, const std::string& community, const std::string& host,
                   std::string& value, int snmpVersion = version::V1,
                   const Interrupt* interrupt = nullptr, const TV3Security& security = {},
                   TV3Problem* problem = nullptr, const TPatience& patience = {});

// The same through a client the caller keeps for many reads (its socket and,
// in SNMPv3, its engine, keys and cipher contexts); each read takes a new
// request-id.
bool ReadOneValue(TSNMPSend& client, const std::string& oid, const std::string& community,
                  const std::string& host, std::string& value, int snmpVersion,
                  const Interrupt* interrupt, const TV3Security& security, TV3Problem* problem,
                  const TPatience& patience);
bool ReadNextValue(TSNMPSend& client, std::string& oid, const std::string& community,
                   const std::string& host, std::string& value, int snmpVersion,
                   const Interrupt* interrupt, const TV3Security& security, TV3Problem* problem,
                   const TPatience& patience);
// ReadOneValue of an identifier held as bytes: encoded as it is, its value
// found in the reply by bytes, and no identifier turned into text.
bool ReadOneValue(TSNMPSend& client, const TOid& oid, const std::string& community,
                  const std::string& host, std::string& value, int snmpVersion,
                  const Interrupt* interrupt, const TV3Security& security, TV3Problem* problem,
                  const TPatience& patience);

}  // namespace pulsewell::snmp

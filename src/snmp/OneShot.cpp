#include "snmp/OneShot.h"

#include <type_traits>

#include "snmp/Ber.h"
#include "snmp/SnmpSend.h"

namespace pulsewell::snmp {

namespace {

// A request with one binding of a NULL value, and where it goes; the reply
// keeps identifier texts unless the caller finds its value by bytes.
template <typename Oid>
void Prepare(TSNMPSend& send, int pduType, const Oid& oid, const std::string& community,
             const std::string& host, int snmpVersion, const Interrupt* interrupt,
             const TV3Security& security) {
    send.Sock.SetInterrupt(interrupt);
    send.Security = security;
    send.Query.Reset();
    send.Query.Version = snmpVersion;
    send.Query.Community = community;
    send.Query.PDUType = pduType;
    send.Query.AddBinding(oid, "", ber::Null);
    send.Reply.OidTexts = !std::is_same_v<Oid, TOid>;
    send.TargetHost = host;
}

bool Exchange(TSNMPSend& send, const TPatience& patience) {
    send.Timeout = patience.TimeoutMs;
    for (int attempt = 0;; ++attempt) {
        if (send.Exchange()) {
            return true;
        }
        if (attempt >= patience.Retries || V3ProblemIsFinal(send.LastV3Problem())) {
            return false;
        }
    }
}

template <typename Oid>
bool ReadOne(TSNMPSend& client, const Oid& oid, const std::string& community,
             const std::string& host, std::string& value, int snmpVersion,
             const Interrupt* interrupt, const TV3Security& security, TV3Problem* problem,
             const TPatience& patience) {
    Prepare(client, pdu::GetRequest, oid, community, host, snmpVersion, interrupt, security);
    const bool ok = Exchange(client, patience);
    if (problem != nullptr) {
        *problem = client.LastV3Problem();
    }
    value.clear();
    if (ok) {
        value = client.Reply.FindValue(oid);
    }
    ++client.Query.ID;
    return ok;
}

}  // namespace

bool ReadOneValue(TSNMPSend& client, const std::string& oid, const std::string& community,
                  const std::string& host, std::string& value, int snmpVersion,
                  const Interrupt* interrupt, const TV3Security& security, TV3Problem* problem,
                  const TPatience& patience) {
    return ReadOne(client, oid, community, host, value, snmpVersion, interrupt, security, problem,
                   patience);
}

bool ReadOneValue(TSNMPSend& client, const TOid& oid, const std::string& community,
                  const std::string& host, std::string& value, int snmpVersion,
                  const Interrupt* interrupt, const TV3Security& security, TV3Problem* problem,
                  const TPatience& patience) {
    return ReadOne(client, oid, community, host, value, snmpVersion, interrupt, security, problem,
                   patience);
}

bool ReadNextValue(TSNMPSend& client, std::string& oid, const std::string& community,
                   const std::string& host, std::string& value, int snmpVersion,
                   const Interrupt* interrupt, const TV3Security& security, TV3Problem* problem,
                   const TPatience& patience) {
    Prepare(client, pdu::GetNextRequest, oid, community, host, snmpVersion, interrupt, security);
    ++client.Query.ID;
    const bool ok = Exchange(client, patience);
    if (problem != nullptr) {
        *problem = client.LastV3Problem();
    }
    value.clear();
    if (ok && client.Reply.BindingCount() > 0) {
        const TSNMPMib& first = client.Reply.Bindings().front();
        if (first.TypeCode != ber::EndOfMibView) {
            oid = first.ObjectId;
            value = first.ValueText;
        }
    }
    return ok;
}

bool ReadOneValue(const std::string& oid, const std::string& community, const std::string& host,
                  std::string& value, int snmpVersion, const Interrupt* interrupt,
                  const TV3Security& security, TV3Problem* problem, const TPatience& patience) {
    TSNMPSend send;
    return ReadOneValue(send, oid, community, host, value, snmpVersion, interrupt, security,
                        problem, patience);
}

bool ReadNextValue(std::string& oid, const std::string& community, const std::string& host,
                   std::string& value, int snmpVersion, const Interrupt* interrupt,
                   const TV3Security& security, TV3Problem* problem, const TPatience& patience) {
    TSNMPSend send;
    return ReadNextValue(send, oid, community, host, value, snmpVersion, interrupt, security,
                         problem, patience);
}

}  // namespace pulsewell::snmp

#include "OneShot.h"

#include "Ber.h"
#include "SnmpSend.h"

namespace pulsewell::snmp {

namespace {

// A request with one binding of a NULL value, and where it goes.
void Prepare(TSNMPSend& send, int pduType, const std::string& oid, const std::string& community,
             const std::string& host, int snmpVersion, const Interrupt* interrupt,
             const TV3Security& security) {
    send.Sock.SetInterrupt(interrupt);
    send.Security = security;
    send.Query.Reset();
    send.Query.Version = snmpVersion;
    send.Query.Community = community;
    send.Query.PDUType = pduType;
    send.Query.AddBinding(oid, "", ber::Null);
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

}  // namespace

bool ReadOneValue(TSNMPSend& client, const std::string& oid, const std::string& community,
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

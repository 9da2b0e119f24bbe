#include "OneShot.h"

#include "Ber.h"
#include "SnmpSend.h"

namespace pulsewell::snmp {

bool ReadOneValue(const std::string& oid, const std::string& community, const std::string& host,
                  std::string& value) {
    TSNMPSend send;
    send.Query.Reset();
    send.Query.Community = community;
    send.Query.PDUType = pdu::GetRequest;
    send.Query.AddBinding(oid, "", ber::Null);
    send.TargetHost = host;
    const bool ok = send.Exchange();
    value.clear();
    if (ok) {
        value = send.Reply.FindValue(oid);
    }
    return ok;
}

bool ReadNextValue(std::string& oid, const std::string& community, const std::string& host,
                   std::string& value) {
    TSNMPSend send;
    send.Query.Reset();
    ++send.Query.ID;
    send.Query.Community = community;
    send.Query.PDUType = pdu::GetNextRequest;
    send.Query.AddBinding(oid, "", ber::Null);
    send.TargetHost = host;
    const bool ok = send.Exchange();
    value.clear();
    if (ok && send.Reply.BindingCount() > 0) {
        const TSNMPMib& first = send.Reply.Bindings().front();
        oid = first.ObjectId;
        value = first.ValueText;
    }
    return ok;
}

}  // namespace pulsewell::snmp

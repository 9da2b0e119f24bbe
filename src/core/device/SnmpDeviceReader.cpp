#include "SnmpDeviceReader.h"

#include "Ber.h"
#include "OneShot.h"

namespace pulsewell {

namespace {
// Octet strings are bytes; Latin-1 keeps every byte as one character.
std::string Bytes(const QString& text) {
    return text.toLatin1().toStdString();
}
QString Text(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
}  // namespace

SnmpDeviceReader::SnmpDeviceReader() {
    synapse_.SetInterrupt(&interrupt_);
    v3Reads_.Sock.SetInterrupt(&interrupt_);
}

bool SnmpDeviceReader::ReadV3(int pduType, std::string& oid, std::string& value) {
    v3Reads_.Security = security_;
    v3Reads_.Query.Reset();
    v3Reads_.Query.Version = snmp::version::V3;
    v3Reads_.Query.PDUType = pduType;
    v3Reads_.Query.AddBinding(oid, "", snmp::ber::Null);
    ++v3Reads_.Query.ID;
    const bool answered = v3Reads_.Exchange();
    problem_ = v3Reads_.LastV3Problem();
    value.clear();
    if (!answered) {
        return false;
    }
    if (pduType == snmp::pdu::GetRequest) {
        value = v3Reads_.Reply.FindValue(oid);
    } else if (v3Reads_.Reply.BindingCount() > 0) {
        // endOfMibView leaves oid as it was, so that a walk ends there.
        const snmp::TSNMPMib& first = v3Reads_.Reply.Bindings().front();
        if (first.TypeCode != snmp::ber::EndOfMibView) {
            oid = first.ObjectId;
            value = first.ValueText;
        }
    }
    return true;
}

std::optional<QString> SnmpDeviceReader::ReadOneValue(const QString& oid,
                                                      const QString& community,
                                                      const QString& host) {
    std::string result;
    if (version_ == snmp::version::V3) {
        v3Reads_.TargetHost = Bytes(host);
        std::string asked = Bytes(oid);
        return ReadV3(snmp::pdu::GetRequest, asked, result) ? std::optional(Text(result))
                                                            : std::nullopt;
    }
    if (!snmp::ReadOneValue(Bytes(oid), Bytes(community), Bytes(host), result, version_,
                            &interrupt_)) {
        return std::nullopt;
    }
    return Text(result);
}

bool SnmpDeviceReader::ReadNextValue(QString& oid, const QString& community, const QString& host,
                                     QString& value) {
    std::string next = Bytes(oid);
    std::string result;
    bool answered = false;
    if (version_ == snmp::version::V3) {
        v3Reads_.TargetHost = Bytes(host);
        answered = ReadV3(snmp::pdu::GetNextRequest, next, result);
    } else {
        answered = snmp::ReadNextValue(next, Bytes(community), Bytes(host), result, version_,
                                       &interrupt_);
    }
    oid = Text(next);
    value = Text(result);
    return answered;
}

void SnmpDeviceReader::SetQueryTarget(const QString& community, const QString& host) {
    synapse_.SetCommunity(Bytes(community));
    synapse_.SetHost(Bytes(host));
}

std::optional<QString> SnmpDeviceReader::QueryValue(const QString& oid) {
    const std::string text = synapse_.QueryValue(Bytes(oid));
    problem_ = synapse_.LastV3Problem();
    if (!synapse_.LastAnswered()) {
        return std::nullopt;
    }
    // The component's "None" stands for a reply without a binding.
    return synapse_.Client().Reply.BindingCount() > 0 ? Text(text) : QString();
}

QList<std::optional<QString>> SnmpDeviceReader::QueryValues(const QStringList& oids) {
    std::vector<std::string> asked;
    for (const QString& oid : oids) {
        asked.push_back(Bytes(oid));
    }
    QList<std::optional<QString>> values;
    const std::vector<std::optional<std::string>> answers = synapse_.QueryValues(asked);
    problem_ = synapse_.LastV3Problem();
    for (const std::optional<std::string>& value : answers) {
        values.append(value ? std::optional<QString>(Text(*value)) : std::nullopt);
    }
    return values;
}

void SnmpDeviceReader::SetSnmpVersion(SnmpVersion version) {
    switch (version) {
        case SnmpVersion::V1:
            version_ = snmp::version::V1;
            break;
        case SnmpVersion::V2c:
            version_ = snmp::version::V2c;
            break;
        case SnmpVersion::V3:
            version_ = snmp::version::V3;
            break;
    }
    synapse_.SetVersion(version_);
    problem_ = snmp::TV3Problem::None;
}

void SnmpDeviceReader::SetSecurity(const SnmpV3Security& security) {
    security_ = ToSnmpSecurity(security);
    synapse_.SetSecurity(security_);
}

std::optional<QString> SnmpDeviceReader::LastFailureCause() const {
    return version_ == snmp::version::V3 ? V3FailureCause(problem_) : std::nullopt;
}

}  // namespace pulsewell

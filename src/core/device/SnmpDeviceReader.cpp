#include "SnmpDeviceReader.h"

#include "Ber.h"

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

SnmpDeviceReader::SnmpDeviceReader() { synapse_.SetInterrupt(&interrupt_); }

std::optional<QString> SnmpDeviceReader::ReadOneValue(const QString& oid,
                                                      const QString& community,
                                                      const QString& host) {
    std::string result;
    if (!snmp::ReadOneValue(Client(), Bytes(oid), Bytes(community), Bytes(host), result,
                            version_, &interrupt_, security_, &problem_, patience_)) {
        return std::nullopt;
    }
    return Text(result);
}

std::optional<QString> SnmpDeviceReader::ReadOneObject(const snmp::TOid& oid,
                                                       const QString& community,
                                                       const QString& host) {
    std::string result;
    if (!snmp::ReadOneValue(Client(), oid, Bytes(community), Bytes(host), result, version_,
                            &interrupt_, security_, &problem_, patience_)) {
        return std::nullopt;
    }
    return Text(result);
}

bool SnmpDeviceReader::ReadNextValue(QString& oid, const QString& community, const QString& host,
                                     QString& value) {
    std::string next = Bytes(oid);
    std::string result;
    const bool answered = snmp::ReadNextValue(Client(), next, Bytes(community), Bytes(host),
                                              result, version_, &interrupt_, security_,
                                              &problem_, patience_);
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

std::optional<QList<DeviceReader::Binding>> SnmpDeviceReader::QueryBulk(const QStringList& oids,
                                                                        int repetitions) {
    std::vector<std::string> asked;
    for (const QString& oid : oids) {
        asked.push_back(Bytes(oid));
    }
    const std::optional<std::vector<snmp::TSNMPMib>> reply =
        synapse_.QueryBulk(asked, repetitions);
    problem_ = synapse_.LastV3Problem();
    if (!reply) {
        return std::nullopt;
    }
    QList<Binding> bindings;
    bindings.reserve(static_cast<qsizetype>(reply->size()));
    for (const snmp::TSNMPMib& binding : *reply) {
        bindings.append({Text(binding.ObjectId), Text(binding.ValueText),
                         binding.TypeCode == snmp::ber::EndOfMibView});
    }
    return bindings;
}

void SnmpDeviceReader::SetTimeout(int milliseconds) {
    patience_.TimeoutMs = milliseconds;
    synapse_.SetTimeout(milliseconds);
}

void SnmpDeviceReader::SetRetries(int retries) {
    patience_.Retries = retries;
    synapse_.SetRetry(retries);
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

snmp::TSNMPSend& SnmpDeviceReader::Client() {
    // A fresh client each time over SNMPv1 and SNMPv2c, as single reads have always had.
    if (version_ != snmp::version::V3) {
        oneShot_ = std::make_unique<snmp::TSNMPSend>();
        return *oneShot_;
    }
    return v3Reads_;
}

}  // namespace pulsewell

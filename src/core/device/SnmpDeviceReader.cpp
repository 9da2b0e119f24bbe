#include "core/device/SnmpDeviceReader.h"

#include "core/text/OctetString.h"
#include "snmp/Ber.h"

namespace pulsewell {

namespace {

std::vector<std::string> OctetBytesOf(const QStringList& texts) {
    std::vector<std::string> bytes;
    bytes.reserve(static_cast<std::size_t>(texts.size()));
    for (const QString& text : texts) {
        bytes.push_back(OctetBytes(text));
    }
    return bytes;
}

}  // namespace

SnmpDeviceReader::SnmpDeviceReader() {
    synapse_.SetInterrupt(&interrupt_);
}

template <typename Oid>
std::optional<QString> SnmpDeviceReader::ReadOne(const Oid& oid, const QString& community,
                                                 const QString& host) {
    std::string result;
    if (!snmp::ReadOneValue(Client(), oid, OctetBytes(community), OctetBytes(host), result,
                            version_, &interrupt_, security_, &problem_, patience_)) {
        return std::nullopt;
    }
    return OctetText(result);
}

std::optional<QString> SnmpDeviceReader::ReadOneValue(const QString& oid, const QString& community,
                                                      const QString& host) {
    return ReadOne(OctetBytes(oid), community, host);
}

std::optional<QString> SnmpDeviceReader::ReadOneObject(const snmp::TOid& oid,
                                                       const QString& community,
                                                       const QString& host) {
    return ReadOne(oid, community, host);
}

bool SnmpDeviceReader::ReadNextValue(QString& oid, const QString& community, const QString& host,
                                     QString& value) {
    std::string next = OctetBytes(oid);
    std::string result;
    const bool answered =
        snmp::ReadNextValue(Client(), next, OctetBytes(community), OctetBytes(host), result,
                            version_, &interrupt_, security_, &problem_, patience_);
    oid = OctetText(next);
    value = OctetText(result);
    return answered;
}

void SnmpDeviceReader::SetQueryTarget(const QString& community, const QString& host) {
    synapse_.SetCommunity(OctetBytes(community));
    synapse_.SetHost(OctetBytes(host));
}

std::optional<QString> SnmpDeviceReader::QueryValue(const QString& oid) {
    const std::string text = synapse_.QueryValue(OctetBytes(oid));
    problem_ = synapse_.LastV3Problem();
    if (!synapse_.LastAnswered()) {
        return std::nullopt;
    }
    // The component's "None" stands for a reply without a binding.
    return synapse_.Client().Reply.BindingCount() > 0 ? OctetText(text) : QString();
}

QList<std::optional<QString>> SnmpDeviceReader::QueryValues(const QStringList& oids) {
    QList<std::optional<QString>> values;
    const std::vector<std::optional<std::string>> answers =
        synapse_.QueryValues(OctetBytesOf(oids));
    problem_ = synapse_.LastV3Problem();
    for (const std::optional<std::string>& value : answers) {
        values.append(value ? std::optional<QString>(OctetText(*value)) : std::nullopt);
    }
    return values;
}

std::optional<QList<DeviceReader::Binding>> SnmpDeviceReader::QueryBulk(const QStringList& oids,
                                                                        int repetitions) {
    const std::optional<std::vector<snmp::TSNMPMib>> reply =
        synapse_.QueryBulk(OctetBytesOf(oids), repetitions);
    problem_ = synapse_.LastV3Problem();
    if (!reply) {
        return std::nullopt;
    }
    QList<Binding> bindings;
    bindings.reserve(static_cast<qsizetype>(reply->size()));
    for (const snmp::TSNMPMib& binding : *reply) {
        bindings.append({OctetText(binding.ObjectId), OctetText(binding.ValueText),
                         binding.TypeCode == snmp::ber::EndOfMibView});
    }
    return bindings;
}

bool SnmpDeviceReader::QueryBulkWire(
    const std::vector<snmp::TOid>& oids, int repetitions,
    const std::function<void(std::span<const WireBinding>)>& take) {
    const std::optional<std::span<const snmp::TWireBinding>> reply =
        synapse_.QueryBulkWire(oids, repetitions);
    problem_ = synapse_.LastV3Problem();
    if (!reply) {
        return false;
    }
    take(*reply);
    return true;
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

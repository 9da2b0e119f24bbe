#pragma once

#include "DeviceReader.h"
#include "SnmpSynapse.h"

namespace pulsewell {

// Device reads over SNMP: one-shot requests, and the window's query
// component that lives as long as the monitor.
class SnmpDeviceReader : public DeviceReader {
public:
    bool ReadOneValue(const QString& oid, const QString& community, const QString& host,
                      QString& value) override;
    bool ReadNextValue(QString& oid, const QString& community, const QString& host,
                       QString& value) override;
    void SetQueryTarget(const QString& community, const QString& host) override;
    QString QueryValue(const QString& oid) override;
    QList<std::optional<QString>> QueryValues(const QStringList& oids) override;
    int QueryWidth() const override { return synapse_.Width(); }
    void SetSnmpVersion(SnmpVersion version) override;

    // The query component itself, for a caller that tunes it (its throttle, its width).
    snmp::TSNMPSynapse& QueryComponent() { return synapse_; }

private:
    snmp::TSNMPSynapse synapse_;
    int version_ = snmp::version::V1;
};

}  // namespace pulsewell

#pragma once

#include "DeviceReader.h"
#include "Interrupt.h"
#include "OneShot.h"
#include "SnmpSynapse.h"

namespace pulsewell {

// Device reads over SNMP: one-shot requests, and the window's query
// component that lives as long as the monitor.
class SnmpDeviceReader : public DeviceReader {
public:
    SnmpDeviceReader();

    std::optional<QString> ReadOneValue(const QString& oid, const QString& community,
                                        const QString& host) override;
    bool ReadNextValue(QString& oid, const QString& community, const QString& host,
                       QString& value) override;
    void SetQueryTarget(const QString& community, const QString& host) override;
    std::optional<QString> QueryValue(const QString& oid) override;
    QList<std::optional<QString>> QueryValues(const QStringList& oids) override;
    int QueryWidth() const override { return synapse_.Width(); }
    void SetSnmpVersion(SnmpVersion version) override;
    void AbandonExchanges() override { interrupt_.Raise(); }
    void ResumeExchanges() override { interrupt_.Clear(); }

    // How long every request waits for its reply, and how often an unanswered
    // one is sent again; unset, single reads wait 5 s once and the query
    // component 2 s twice. Before the reader's first use.
    void SetTimeout(int milliseconds);
    void SetRetries(int retries);

    // The query component itself, for a caller that tunes it (its throttle, its width).
    snmp::TSNMPSynapse& QueryComponent() { return synapse_; }

private:
    snmp::Interrupt interrupt_;
    snmp::TSNMPSynapse synapse_;
    int version_ = snmp::version::V1;
    snmp::TPatience patience_;
};

}  // namespace pulsewell

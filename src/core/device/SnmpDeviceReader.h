#pragma once

#include <memory>
#include "core/device/DeviceReader.h"
#include "snmp/Interrupt.h"

#include "snmp/OneShot.h"
#include "snmp/SnmpSynapse.h"

namespace pulsewell {

// Device reads over SNMP: one-shot requests, and the window's query
// component that lives as long as the monitor.
class SnmpDeviceReader : public DeviceReader {
  public:
    SnmpDeviceReader();

    std::optional<QString> ReadOneValue(const QString& oid, const QString& community,
                                        const QString& host) override;
    std::optional<QString> ReadOneObject(const snmp::TOid& oid, const QString& community,
                                         const QString& host) override;
    bool ReadNextValue(QString& oid, const QString& community, const QString& host,
                       QString& value) override;
    void SetQueryTarget(const QString& community, const QString& host) override;
    std::optional<QString> QueryValue(const QString& oid) override;
    QList<std::optional<QString>> QueryValues(const QStringList& oids) override;
    int QueryWidth() const override { return synapse_.Width(); }
    bool BulkWalks() const override { return synapse_.BulkWalks(); }
    std::optional<QList<Binding>> QueryBulk(const QStringList& oids, int repetitions) override;
    bool QueryBulkWire(const std::vector<snmp::TOid>& oids, int repetitions,
                       const std::function<void(std::span<const WireBinding>)>& take) override;
    void SetSnmpVersion(SnmpVersion version) override;
    void SetSecurity(const SnmpV3Security& security) override;
    std::optional<QString> LastFailureCause() const override;
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
    // The client of the next single read.
    snmp::TSNMPSend& Client();
    // One single read of an identifier as text or as bytes.
    template <typename Oid>
    std::optional<QString> ReadOne(const Oid& oid, const QString& community, const QString& host);

    snmp::Interrupt interrupt_;
    snmp::TSNMPSynapse synapse_;
    int version_ = snmp::version::V1;
    snmp::TPatience patience_;
    snmp::TV3Security security_;
    // Why the last read failed in SNMPv3.
    snmp::TV3Problem problem_ = snmp::TV3Problem::None;
    // SNMPv3's single reads share one client, so that the engine, the keys and
    // the cipher contexts are not made anew for every read of a poll.
    snmp::TSNMPSend v3Reads_;
    std::unique_ptr<snmp::TSNMPSend> oneShot_;
};

}  // namespace pulsewell

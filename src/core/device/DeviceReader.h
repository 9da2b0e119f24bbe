#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/DeviceTarget.h"
#include "core/SnmpV3Security.h"
#include "core/SnmpVersion.h"
#include "core/text/OctetString.h"
#include "snmp/Ber.h"
#include "snmp/Oid.h"
#include "snmp/SnmpRec.h"

namespace pulsewell {

// The device reads the monitor makes. Values are the agent's value texts;
// octet strings arrive byte for byte as Latin-1 characters. A read that got
// no answer gives no value, whatever text a device might send.
class DeviceReader {
  public:
    virtual ~DeviceReader() = default;

    // One GetRequest with its own client.
    virtual std::optional<QString> ReadOneValue(const QString& oid, const QString& community,
                                                const QString& host) = 0;
    // The same for an identifier held as its wire bytes, as polls hold theirs.
    virtual std::optional<QString> ReadOneObject(const snmp::TOid& oid, const QString& community,
                                                 const QString& host) {
        return ReadOneValue(QString::fromLatin1(oid.Text()), community, host);
    }
    // One GetNextRequest: on an answer, oid becomes the next identifier.
    virtual bool ReadNextValue(QString& oid, const QString& community, const QString& host,
                               QString& value) = 0;

    // The long-lived query component: its target, and a query with retries.
    // A reply without a binding gives an empty value.
    virtual void SetQueryTarget(const QString& community, const QString& host) = 0;
    virtual std::optional<QString> QueryValue(const QString& oid) = 0;
    // Several objects through the query component, up to QueryWidth() per
    // request. Each value is the query component's text for it ("Failure"
    // where an object asked alone got no answer); none where a request of
    // several went unanswered, so the caller can ask that object alone when
    // it comes to it.
    virtual QList<std::optional<QString>> QueryValues(const QStringList& oids) = 0;
    virtual int QueryWidth() const = 0;

    // One binding of a GetBulk reply; endOfMibView ends a walk.
    struct Binding {
        QString oid;
        QString value;
        bool endOfMibView = false;
    };
    // Whether walks go by GetBulk through the query component (never over SNMPv1).
    virtual bool BulkWalks() const { return false; }
    // One GetBulkRequest: up to `repetitions` successors of each object, the
    // reply's bindings repetition by repetition; none when it went unanswered
    // or the agent answered with an error, so the walk goes on by GetNext.
    virtual std::optional<QList<Binding>> QueryBulk(const QStringList& /*oids*/,
                                                    int /*repetitions*/) {
        return std::nullopt;
    }

    // A GetBulk binding as it came off the wire: the identifier's BER bytes,
    // the value's type and contents (none for an exception value).
    using WireBinding = snmp::TWireBinding;
    // QueryBulk with the reply's bindings handed to `take` as they came,
    // valid during that call only, so that a reader of many numbers makes no
    // texts; false where QueryBulk gives none. By default through QueryBulk's
    // texts, each value an octet string.
    virtual bool QueryBulkWire(const std::vector<snmp::TOid>& oids, int repetitions,
                               const std::function<void(std::span<const WireBinding>)>& take) {
        QStringList texts;
        for (const snmp::TOid& oid : oids) {
            texts.append(QString::fromLatin1(oid.Text()));
        }
        const std::optional<QList<Binding>> reply = QueryBulk(texts, repetitions);
        if (!reply) {
            return false;
        }
        // Reserved whole, so that the views stay where the bytes are.
        std::vector<std::string> bytes;
        bytes.reserve(2 * static_cast<std::size_t>(reply->size()));
        std::vector<WireBinding> wire;
        for (const Binding& binding : *reply) {
            bytes.push_back(snmp::OidToBytes(OctetBytes(binding.oid)));
            bytes.push_back(OctetBytes(binding.value));
            wire.push_back({bytes[bytes.size() - 2],
                            binding.endOfMibView ? snmp::ber::EndOfMibView : snmp::ber::OctetString,
                            bytes.back()});
        }
        take(wire);
        return true;
    }

    // The version of every request from now on. SNMPv2c exception values
    // arrive as empty value texts, like SNMPv1's noSuchName, and a GetNext
    // that reaches endOfMibView leaves oid unchanged.
    virtual void SetSnmpVersion(SnmpVersion version) = 0;
    // Who asks in SNMPv3, and how; SNMPv1 and SNMPv2c do not use it.
    virtual void SetSecurity(const SnmpV3Security& /*security*/) {}
    // Every request from now on goes to the device, as it asks: the version,
    // the SNMPv3 security and the query component's target at once.
    void Aim(const DeviceTarget& target) {
        SetSnmpVersion(target.Version);
        SetSecurity(target.Security);
        SetQueryTarget(target.Community, target.Host);
    }
    // Why the last read gave no value, when the protocol says (an SNMPv3
    // agent's Report, a refused level): "SNMPv3: ..."; none after a value,
    // for silence, and over SNMPv1 and SNMPv2c.
    virtual std::optional<QString> LastFailureCause() const { return std::nullopt; }

    // From any thread: every wait for a reply, now and until
    // ResumeExchanges(), ends unanswered at once.
    virtual void AbandonExchanges() {}
    virtual void ResumeExchanges() {}
};

}  // namespace pulsewell

#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "SnmpVersion.h"

namespace pulsewell {

// The device reads the monitor makes. Values are the agent's value texts;
// octet strings arrive byte for byte as Latin-1 characters.
class DeviceReader {
public:
    virtual ~DeviceReader() = default;

    // One GetRequest with its own client: false and an empty value without an answer.
    virtual bool ReadOneValue(const QString& oid, const QString& community, const QString& host,
                              QString& value) = 0;
    // One GetNextRequest: on an answer, oid becomes the next identifier.
    virtual bool ReadNextValue(QString& oid, const QString& community, const QString& host,
                               QString& value) = 0;

    // The long-lived query component: its target, and a query with retries
    // that gives the value, "None", or "Failure" after all attempts.
    virtual void SetQueryTarget(const QString& community, const QString& host) = 0;
    virtual QString QueryValue(const QString& oid) = 0;
    // Several objects through the query component, up to QueryWidth() per
    // request. Each value is what QueryValue alone would give; none where a
    // request of several went unanswered, so the caller can ask that object
    // alone when it comes to it.
    virtual QList<std::optional<QString>> QueryValues(const QStringList& oids) = 0;
    virtual int QueryWidth() const = 0;

    // The version of every request from now on. SNMPv2c exception values
    // arrive as empty value texts, like SNMPv1's noSuchName, and a GetNext
    // that reaches endOfMibView leaves oid unchanged.
    virtual void SetSnmpVersion(SnmpVersion version) = 0;
};

}  // namespace pulsewell

#pragma once

#include <QMap>
#include <QStringList>
#include <algorithm>

#include "core/device/DeviceReader.h"

namespace pulsewell::test {

// A device that answers from a script: per identifier a value, or silence
// when none is set; a request of several objects goes unanswered when one of
// them is silent. Records every request in order.
class ScriptedDeviceReader : public DeviceReader {
  public:
    struct Answer {
        bool answered = false;
        QString value;
    };

    void Answer(const QString& oid, const QString& value) { answers[oid] = {true, value}; }
    void Silence(const QString& oid) { answers.remove(oid); }

    std::optional<QString> ReadOneValue(const QString& oid, const QString& community,
                                        const QString& host) override {
        requests.append(QStringLiteral("get %1 %2@%3").arg(oid, community, host));
        const auto answer = answers.value(oid);
        return answer.answered ? std::optional(answer.value) : std::nullopt;
    }
    bool ReadNextValue(QString& oid, const QString& community, const QString& host,
                       QString& value) override {
        requests.append(QStringLiteral("next %1 %2@%3").arg(oid, community, host));
        const auto next = nextAnswers.value(oid);
        value = next.second;
        if (next.first.isEmpty()) {
            return false;
        }
        oid = next.first;
        return true;
    }
    void SetQueryTarget(const QString& community, const QString& host) override {
        queryTarget = community + u'@' + host;
    }
    std::optional<QString> QueryValue(const QString& oid) override {
        requests.append(QStringLiteral("query %1 %2").arg(oid, queryTarget));
        const auto answer = answers.value(oid);
        return answer.answered ? std::optional(answer.value) : std::nullopt;
    }
    QList<std::optional<QString>> QueryValues(const QStringList& oids) override {
        QList<std::optional<QString>> values;
        for (qsizetype first = 0; first < oids.size(); first += width) {
            const QStringList asked = oids.mid(first, width);
            if (asked.size() == 1) {
                values.append(QueryValue(asked.first()).value_or(QStringLiteral("Failure")));
                continue;
            }
            requests.append(QStringLiteral("query %1 %2").arg(asked.join(u' '), queryTarget));
            const bool silent = std::any_of(asked.begin(), asked.end(), [&](const QString& oid) {
                return !answers.value(oid).answered;
            });
            for (const QString& oid : asked) {
                values.append(silent ? std::nullopt : std::optional(answers.value(oid).value));
            }
        }
        return values;
    }
    int QueryWidth() const override { return width; }
    void SetSnmpVersion(SnmpVersion v) override { version = v; }
    void SetSecurity(const SnmpV3Security& s) override { security = s; }
    // The cause the script gives every failure (an SNMPv3 agent's Report), or none.
    std::optional<QString> LastFailureCause() const override { return failureCause; }

    QMap<QString, struct Answer> answers;
    QMap<QString, QPair<QString, QString>> nextAnswers;  // oid -> (next oid, value)
    QStringList requests;
    QString queryTarget;
    int width = 1;
    SnmpVersion version = SnmpVersion::V1;
    SnmpV3Security security;
    std::optional<QString> failureCause;
};

}  // namespace pulsewell::test

#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "core/ProgramDefaults.h"

namespace pulsewell {

// What the settings file remembers of each host polled, under
// "hosts/<host in lower case>/": the interface of the last polling, by index
// ("interface") and by the name discovery found for it ("interfacename",
// empty when none), and its interval ("interval"). The community is no
// business of the file: the desktop's keyring keeps it.
struct THostMemory {
    QString Interface;
    QString InterfaceName;
    int IntervalSeconds = defaults::kPollInterval;

    bool operator==(const THostMemory&) const = default;
};

// Nothing for a host the file does not remember. A value that names no
// interface index or none of `intervals` throws a SettingValueError.
std::optional<THostMemory> RecallHost(const QString& host, const QList<int>& intervals);
// Fails with the settings' write error when the store refuses it.
void RememberHost(const QString& host, const THostMemory& memory);

}  // namespace pulsewell

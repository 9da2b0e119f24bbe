#include "core/settings/HostMemory.h"

#include "core/settings/SettingValueError.h"
#include "core/settings/SettingsKey.h"

namespace pulsewell {

namespace {

// Hosts compare without regard to case, as the host list does.
QString HostKey(const QString& host, const char* name) {
    return QStringLiteral("hosts/%1/%2").arg(host.toLower(), QLatin1String(name));
}

}  // namespace

std::optional<THostMemory> RecallHost(const QString& host, const QList<int>& intervals) {
    const SettingsKey key;
    const std::optional<QString> interface = key.Read(HostKey(host, "interface"));
    const std::optional<QString> interval = key.Read(HostKey(host, "interval"));
    if (host.isEmpty() || !interface || !interval) {
        return std::nullopt;
    }
    if (!IsInterfaceIndex(*interface)) {
        throw SettingValueError(HostKey(host, "interface"), *interface, key.Path(),
                                InterfaceIndexChoices());
    }
    const QStringList seconds = ChoiceTexts(intervals);
    if (!seconds.contains(*interval)) {
        throw SettingValueError(HostKey(host, "interval"), *interval, key.Path(),
                                ListOfChoices(seconds));
    }
    return THostMemory{*interface, key.Read(HostKey(host, "interfacename")).value_or(QString()),
                       interval->toInt()};
}

void RememberHost(const QString& host, const THostMemory& memory) {
    SettingsKey key;
    key.Write(HostKey(host, "interface"), memory.Interface);
    key.Write(HostKey(host, "interfacename"), memory.InterfaceName);
    key.Write(HostKey(host, "interval"), QString::number(memory.IntervalSeconds));
}

}  // namespace pulsewell

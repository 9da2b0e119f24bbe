#include "core/settings/StartProfile.h"

#include <QFile>
#include <QMap>

#include "core/OperationError.h"
#include "core/SnmpVersion.h"
#include "core/numbers/NumberText.h"
#include "core/settings/SettingValueError.h"
#include "core/settings/SnmpV3Settings.h"

namespace pulsewell {

std::optional<THostEntry> ReadStartProfile(const QString& path) {
    QFile file(path);
    if (!file.exists()) {
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(path, file.errorString());
    }
    QMap<QString, QString> details;  // lower-case key to value
    bool inDetails = false;
    while (!file.atEnd()) {
        const QString line = QString::fromLocal8Bit(file.readLine()).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            inDetails = line.sliced(1, line.size() - 2)
                            .trimmed()
                            .compare(QStringLiteral("Details"), Qt::CaseInsensitive) == 0;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inDetails || equals <= 0 || line.startsWith(u';') || line.startsWith(u'#')) {
            continue;
        }
        const QString key = line.first(equals).trimmed().toLower();
        if (!details.contains(key)) {
            details.insert(key, line.sliced(equals + 1).trimmed());
        }
    }
    if (file.error() != QFileDevice::NoError) {
        throw FileError(path, file.errorString());
    }
    THostEntry entry;
    // An empty value says no more than a missing key.
    const auto given = [&details](const char* key, const QString& fallback) {
        const QString value = details.value(QLatin1String(key));
        return value.isEmpty() ? fallback : value;
    };
    entry.IP = details.value(QStringLiteral("ip"));
    entry.community = details.value(QStringLiteral("community"));
    entry.bandwidth = given("bandwidth", entry.bandwidth);
    entry.Interface = given("interface", entry.Interface);
    entry.interval = given("interval", entry.interval);
    entry.version = details.value(QStringLiteral("version"));
    entry.user = details.value(QStringLiteral("user"));
    entry.securitylevel = details.value(QStringLiteral("securitylevel"));
    entry.authprotocol = details.value(QStringLiteral("authprotocol"));
    entry.privprotocol = details.value(QStringLiteral("privprotocol"));
    entry.context = details.value(QStringLiteral("context"));
    return entry;
}

void CheckStartProfile(const THostEntry& entry, const QString& path, const QList<int>& intervals) {
    QStringList problems;
    const auto check = [&](bool good, const char* key, const QString& value,
                           const QString& expected) {
        if (!good) {
            problems.append(SettingValueError(QLatin1String(key), value, path, expected).Message());
        }
    };
    check(IsInterfaceIndex(entry.Interface), "Interface", entry.Interface, InterfaceIndexChoices());
    const auto bandwidth = TryParseInt64(StripSeparators(entry.bandwidth));
    check(bandwidth && *bandwidth >= 0, "bandwidth", entry.bandwidth,
          QStringLiteral("bits per second, a whole number from 0 up"));
    const QStringList seconds = ChoiceTexts(intervals);
    check(seconds.contains(entry.interval), "interval", entry.interval, ListOfChoices(seconds));
    check(entry.version.isEmpty() || ParseSnmpVersion(entry.version), "version", entry.version,
          SnmpVersionChoices());
    SnmpV3Security security;
    problems += ApplyV3Profile(entry, path, security);
    if (!problems.isEmpty()) {
        throw OperationError(problems.join(u'\n'));
    }
}

}  // namespace pulsewell

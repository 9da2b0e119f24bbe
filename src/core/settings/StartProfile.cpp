#include "StartProfile.h"

#include <QFile>
#include <QMap>

#include "OperationError.h"

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
    entry.IP = details.value(QStringLiteral("ip"));
    entry.community = details.value(QStringLiteral("community"));
    entry.bandwidth = details.value(QStringLiteral("bandwidth"));
    entry.Interface = details.value(QStringLiteral("interface"), entry.Interface);
    entry.interval = details.value(QStringLiteral("interval"), entry.interval);
    entry.version = details.value(QStringLiteral("version"));
    entry.user = details.value(QStringLiteral("user"));
    entry.securitylevel = details.value(QStringLiteral("securitylevel"));
    entry.authprotocol = details.value(QStringLiteral("authprotocol"));
    entry.privprotocol = details.value(QStringLiteral("privprotocol"));
    entry.context = details.value(QStringLiteral("context"));
    return entry;
}

}  // namespace pulsewell

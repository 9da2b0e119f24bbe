#include "HostList.h"

#include <QFile>
#include <QFileInfo>

#include "OperationError.h"

namespace pulsewell {

namespace {
[[noreturn]] void ThrowFileError(const QFile& file) {
    throw FileError(file.fileName(), file.errorString());
}
}  // namespace

HostList::HostList(QString folder) : folder_(std::move(folder)) {}

QString HostList::Path() const { return folder_ + QStringLiteral("hostfile.txt"); }

QStringList HostList::Load() const {
    QFile file(Path());
    if (!QFileInfo::exists(Path())) {
        if (!file.open(QIODevice::WriteOnly)) {
            ThrowFileError(file);
        }
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        ThrowFileError(file);
    }
    QString text = QString::fromLocal8Bit(file.readAll());
    if (file.error() != QFile::NoError) {
        ThrowFileError(file);
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n')) {
        text.chop(1);
    }
    if (text.isEmpty()) {
        return {};
    }
    return text.split(u'\n');
}

QStringList HostList::Remember(const QStringList& entries, const QString& host) const {
    for (const QString& entry : entries) {
        if (entry.compare(host, Qt::CaseInsensitive) == 0) {
            return entries;
        }
    }
    QStringList updated = entries;
    updated.prepend(host);
    while (updated.size() > kMaxEntries) {
        updated.removeAt(kMaxEntries);
    }
    QFile file(Path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        ThrowFileError(file);
    }
    QByteArray bytes;
    for (const QString& entry : updated) {
        bytes += entry.toLocal8Bit() + "\r\n";
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        ThrowFileError(file);
    }
    return updated;
}

}  // namespace pulsewell

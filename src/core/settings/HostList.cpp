#include "core/settings/HostList.h"

#include <QFile>
#include <QFileInfo>

#include "core/OperationError.h"

namespace pulsewell {

namespace {
[[noreturn]] void ThrowFileError(const QFile& file) {
    throw FileError(file.fileName(), file.errorString());
}

// Lines end in CR LF, LF or a lone CR; the break after the last line is
// optional, so "\r\n" is one empty line and "" none.
QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') {
            continue;
        }
        lines.append(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.append(text.sliced(start));
    }
    return lines;
}
}  // namespace

HostList::HostList(QString folder) : folder_(std::move(folder)) {}

QString HostList::Path() const {
    return folder_ + QStringLiteral("hostfile.txt");
}

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
    return SplitLines(text);
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

#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace pulsewell {

namespace {

// An installed copy finds its menu entry where cmake --install put it. A bin
// folder is no place for data, even where the user may write it (root, or a
// prefix inside the home folder).
bool IsInstalledCopy(const QString& executableFolder) {
    return QFileInfo::exists(executableFolder + u'/' +
                             QStringLiteral(PULSEWELL_DESKTOP_ENTRY_FROM_BINDIR));
}

QString PerUserFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    // A folder that cannot be made shows as the file error of the first write.
    QDir().mkpath(folder);
    return folder;
}

}  // namespace

QString ProgramFolder() {
    QString folder = qEnvironmentVariable("PULSEWELL_HOME");
    if (folder.isEmpty()) {
        const QString executableFolder = QCoreApplication::applicationDirPath();
        const bool besideExecutable =
            QFileInfo(executableFolder).isWritable() && !IsInstalledCopy(executableFolder);
        folder = besideExecutable ? executableFolder : PerUserFolder();
    }
    folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

}  // namespace pulsewell

#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace pulsewell {

QString ProgramFolder() {
    QString folder = qEnvironmentVariable("PULSEWELL_HOME");
    if (folder.isEmpty()) {
        folder = QCoreApplication::applicationDirPath();
    }
    folder = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

}  // namespace pulsewell

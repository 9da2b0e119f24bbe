#include "tests/support/TempHome.h"

#include <QDir>
#include <QSettings>

namespace pulsewell::test {

TempHome::TempHome() : oldHome_(qgetenv("PULSEWELL_HOME")), oldConfig_(qgetenv("XDG_CONFIG_HOME")) {
    QDir(dir_.path()).mkpath(QStringLiteral("program"));
    QDir(dir_.path()).mkpath(QStringLiteral("config"));
    qputenv("PULSEWELL_HOME", (dir_.path() + QStringLiteral("/program")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", ConfigFolder().toLocal8Bit());
    // Qt reads XDG_CONFIG_HOME once per process; later homes need telling.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ConfigFolder());
}

TempHome::~TempHome() {
    qputenv("PULSEWELL_HOME", oldHome_);
    qputenv("XDG_CONFIG_HOME", oldConfig_);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromLocal8Bit(oldConfig_));
}

QString TempHome::ProgramFolder() const {
    return dir_.path() + QStringLiteral("/program/");
}

QString TempHome::ConfigFolder() const {
    return dir_.path() + QStringLiteral("/config");
}

}  // namespace pulsewell::test

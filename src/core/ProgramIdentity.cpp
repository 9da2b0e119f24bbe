#include "core/ProgramIdentity.h"
#include "core/ProgramVersion.h"

#include <QCoreApplication>

namespace pulsewell {

void SetProgramIdentity() {
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Pulsewell"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PULSEWELL_VERSION));
}

}  // namespace pulsewell

#pragma once

#include <QString>

#include "core/ProgramVersion.h"

namespace pulsewell {

// The application's title: the caption of the standard error box.
inline QString ApplicationTitle() {
    return QStringLiteral("Pulsewell " PULSEWELL_VERSION);
}

}  // namespace pulsewell

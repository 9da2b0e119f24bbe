#pragma once

#include <QString>
#include <vector>

#include "core/sweep/SweepResult.h"
#include "history/Reading.h"

namespace pulsewell {

// A sweep's rows as the history keeps them: one reading per interface of the
// device's table at the time the sweep ended, each kept by its name. A row
// without rates (a first reading, no answer) is a gap; a vanished one is left
// out.
std::vector<history::Reading> SweepReadings(const SweepResult& sweep, const QString& host);

}  // namespace pulsewell

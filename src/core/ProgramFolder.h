#pragma once

#include <QString>

namespace pulsewell {

// The folder where the program keeps its files (host list, logs, device
// report), ending with "/": $PULSEWELL_HOME if set, else the executable's folder.
QString ProgramFolder();

}  // namespace pulsewell

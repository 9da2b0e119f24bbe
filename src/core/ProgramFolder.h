#pragma once

#include <QString>

namespace pulsewell {

// The folder where the program keeps its files (host list, start profiles,
// logs, device report), ending with "/":
// - $PULSEWELL_HOME if set;
// - else the executable's folder, if the user can write it and it is not an
//   installed copy: a build tree or a portable copy keeps its files beside it;
// - else the per-user data folder (~/.local/share/Tarnwick/Pulsewell), made
//   here if missing. SetProgramIdentity() must have run before.
QString ProgramFolder();

}  // namespace pulsewell

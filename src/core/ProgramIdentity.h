#pragma once

namespace pulsewell {

// Names the program to Qt: organisation "Tarnwick", application "Pulsewell"
// and the version. The settings file and the per-user folder derive from the
// names, so both executables call this before anything else.
void SetProgramIdentity();

}  // namespace pulsewell

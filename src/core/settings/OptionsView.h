#pragma once

#include "core/AlarmSettings.h"
#include "core/OperationError.h"
#include "core/SnmpV3Security.h"
#include "core/SnmpVersion.h"
#include "graph/ColorValue.h"

namespace pulsewell {

// What the options dialog's controls hold, in the state they show when the
// dialog is first created.
struct TOptionsFields {
    // The threshold edits, alarm check boxes and sound file edits.
    TAlarmSettings Alarms;
    TColor HighColor = 0x0000FF;
    TColor NormalColor = 0x00FFFF;
    TColor LowColor = 0x00FF00;
    bool ShowBytes = false;
    bool ContinueWithZeroes = false;
    // Every poll goes into the history file.
    bool KeepHistory = true;
    SnmpVersion Version = SnmpVersion::V1;
    // The SNMPv3 fields; the passphrases are the keyring's, not the store's.
    SnmpV3Security V3;
};

// What the options logic needs of the dialog: its controls' contents, and
// the standard error box for an operation that stopped.
class OptionsView : public ErrorReporter {
  public:
    virtual TOptionsFields Fields() const = 0;
    // Sets every control; none of them runs its click handler for it.
    virtual void ShowFields(const TOptionsFields& fields) = 0;
    virtual void SelectThresholdsTab() = 0;
};

}  // namespace pulsewell

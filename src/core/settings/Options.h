#pragma once

#include <functional>

#include "core/settings/OptionsTarget.h"
#include "core/settings/OptionsView.h"

namespace pulsewell {

class SettingsKey;
namespace settings {
struct Setting;
}

// The options dialog without its window: the stored options to and from the
// dialog's controls, and the options applied to the monitor and its graph.
// Every operation reports its errors to the view and ends there.
class Options {
  public:
    Options(OptionsView& view, OptionsTarget& target);

    // Fills the controls from the store and applies the stored error policy;
    // the "Thresholds" tab is selected. The dialog runs it when it is created
    // and whenever it is shown.
    void LoadDialog();
    // OK: stores the controls and applies the stored options. False if it
    // stopped, when the dialog stays open.
    bool AcceptOptions();
    // Cancel: the controls and the error policy as stored. False if it stopped.
    bool CancelOptions();
    // An error policy radio button was clicked: in force at once.
    void ChooseErrorPolicy(bool continueWithZeroes);

    // True for a path the sound file buttons take: ".wav" anywhere, in any case.
    static bool IsWavePath(const QString& path);

  private:
    void ReadSettings(SettingsKey& key, TOptionsFields& fields);
    void WriteSettings(SettingsKey& key, const TOptionsFields& fields);
    // The alarm switches' defaults, then the switches and files as stored.
    void ReadAlarms(SettingsKey& key, TOptionsFields& fields);
    void ApplyShow(const QString& show);
    // A stored colour; one that is none is reported and its default taken.
    TColor StoredColor(const SettingsKey& key, const settings::Setting& setting,
                       const QString& text);
    // Runs an operation on the controls' contents, shows what it changed even
    // when it stopped part way, and reports the error.
    bool EditFields(const std::function<void(SettingsKey&, TOptionsFields&)>& operation);

    OptionsView& view_;
    OptionsTarget& target_;
};

}  // namespace pulsewell

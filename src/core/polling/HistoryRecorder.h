#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/polling/PollCycle.h"
#include "history/HistoryStore.h"

namespace pulsewell {

// Whether polls are recorded, and for how long, as the settings file says.
struct HistorySettings {
    bool recording = true;
    history::Retention retention;
};
HistorySettings StoredHistorySettings();
// history.sqlite in the program's folder.
QString HistoryPath();

// Keeps every measured poll and sweep in the program's history file, opened at
// the first one while recording is switched on. A store that fails is reported once
// through `report`; polling never waits for it.
class HistoryRecorder {
  public:
    using Report = std::function<void(const QString&)>;

    explicit HistoryRecorder(Report report);
    ~HistoryRecorder();

    // A poll of `interface` on `host`; `interfaceName` is empty where the
    // poll does not know it.
    void Record(const PollMeasurement& measurement, const QString& host, const QString& interface,
                const QString& interfaceName);
    // A minute of swept interfaces, in one transaction.
    void Record(const history::SweptMinuteRuns& runs);
    // Recording is switched on in the settings.
    bool Recording() const;
    // A threshold alarm went off now for the interface.
    void MarkAlarm(const QString& host, const QString& interface);

  private:
    history::HistoryStore* Store();

    Report report_;
    std::unique_ptr<history::HistoryStore> store_;
};

}  // namespace pulsewell

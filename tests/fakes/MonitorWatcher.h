#pragma once

#include <QList>
#include <QObject>
#include <array>
#include <cstdint>
#include <functional>

#include "core/Monitor.h"

namespace pulsewell::test {

// What a window makes of a monitor's signals: the busy cursor's turns, the
// focus that a first contact which found interfaces gives the interface list,
// and the first contact's steps, where a window's events run
// (`whilePending`: what the user does meanwhile).
class MonitorWatcher {
  public:
    explicit MonitorWatcher(Monitor& monitor) {
        QObject::connect(&monitor, &Monitor::StatusChanged, &context_,
                         [this](const MonitorStatus& status) {
                             if (status.discovering != busy_) {
                                 busy_ = status.discovering;
                                 busyHistory.append(busy_);
                             }
                         });
        QObject::connect(&monitor, &Monitor::DiscoveryEnded, &context_,
                         [this](const DiscoveryOutcome& outcome) {
                             interfaceListFocused += outcome.found ? 1 : 0;
                         });
        QObject::connect(&monitor, &Monitor::DiscoveryProgressed, &context_, [this] {
            ++pendingEventRuns;
            if (whilePending) {
                whilePending();
            }
        });
    }

    // Forgets what it saw, and what the user would do.
    void Clear() {
        busyHistory.clear();
        interfaceListFocused = 0;
        pendingEventRuns = 0;
        whilePending = nullptr;
    }

    QList<bool> busyHistory;
    int interfaceListFocused = 0;
    int pendingEventRuns = 0;
    std::function<void()> whilePending;

  private:
    QObject context_;
    bool busy_ = false;
};

// The three totals, in the order the window shows them.
inline std::array<std::int64_t, 3> Totals(const MonitorStatus& status) {
    return {status.totalIn, status.totalOut, status.totalCombined};
}

}  // namespace pulsewell::test

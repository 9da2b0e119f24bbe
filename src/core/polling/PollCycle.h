#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

#include "AlarmPlayer.h"
#include "DeviceWorker.h"
#include "MessageList.h"
#include "MonitorState.h"
#include "MonitorView.h"
#include "PollScheduler.h"
#include "TrafficGraph.h"

namespace pulsewell {

// How one poll ended, for the monitor to turn into the commands' states.
struct PollOutcome {
    enum Kind {
        // Ran to its last step, or an error box ended it part way.
        Done,
        // Missing input: the reason goes into a message box.
        Refused,
        // The error policy stopped polling: the status says why.
        Stopped,
    };
    Kind kind = Done;
    QString text;
};

// One measurement: the two counter reads on the device worker, the error
// policy, the sample, the graph's series, the alarm, the logs and the
// traffic line, in that order.
class PollCycle {
  public:
    using Finished = std::function<void(const PollOutcome&)>;

    PollCycle(MonitorView& view, TMonitorState& state, MessageList& messages, TrafficGraph& graph,
              PollScheduler& scheduler, AlarmPlayer& alarms, DeviceWorker& worker);

    // Polls `interface` (empty when none is chosen); `finished` follows on
    // this thread unless the poll is abandoned first.
    void Start(const QString& interface, Finished finished);
    bool Running() const { return running_; }
    // The device worker dropped the poll: it no longer counts as running. A
    // poll whose alarm was sounding has its reading, which keeps its line.
    void Abandon();
    // Each polling run looks for the 64-bit counters again.
    void ForgetNarrowCounters() { narrowCountersOf_.clear(); }

  private:
    struct Readings {
        std::optional<QString> out;
        std::optional<QString> in;
        bool wide = false;
        // SNMPv2c found no 64-bit counters and read the 32-bit ones.
        bool narrow = false;
    };
    static Readings ReadCounters(DeviceReader& reader, const TMonitorState& target, bool tryWide);
    void CountersRead(const Readings& readings);
    void UseCounterWidth(bool wide);
    bool ApplyErrorPolicy(bool outAnswered, bool inAnswered);
    void AppendSamples(const TTrafficSample& sample);
    void Complete(const TTrafficSample& sample);
    // Runs one step under the error guard; false when it stopped the poll.
    bool Step(const std::function<void()>& step);
    void Finish(PollOutcome outcome);

    MonitorView& view_;
    TMonitorState& state_;
    MessageList& messages_;
    TrafficGraph& graph_;
    PollScheduler& scheduler_;
    AlarmPlayer& alarms_;
    DeviceWorker& worker_;
    bool running_ = false;
    Finished finished_;
    std::optional<PollOutcome> early_;
    QDateTime pollTime_;
    // The same moment on a clock that no adjustment moves.
    std::int64_t pollClockMs_ = 0;
    // The SNMPv2c hint was given for the silence that still lasts.
    bool hinted_ = false;
    // The poll's sample while its alarm sounds.
    std::optional<TTrafficSample> sounding_;
    // Host and interface found without 64-bit counters in this polling run.
    QString narrowCountersOf_;
};

}  // namespace pulsewell

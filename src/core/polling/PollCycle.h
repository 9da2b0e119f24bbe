#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

#include "core/DeviceTarget.h"
#include "core/MessageList.h"
#include "core/MonitorState.h"
#include "core/OperationError.h"
#include "core/ProgramDefaults.h"
#include "core/StatusBoard.h"
#include "core/device/DeviceWorker.h"
#include "core/polling/AlarmPlayer.h"
#include "core/polling/CounterObjects.h"
#include "core/polling/PollClock.h"
#include "core/trafficgraph/TrafficGraph.h"

namespace pulsewell {

// What one poll read and worked out, for listeners beside the message list:
// the sample its traffic line is made from.
struct PollMeasurement {
    QDateTime time;
    TTrafficSample sample;
    // No value came for that side: the previous reading stood in for it.
    bool outSubstituted = false;
    bool inSubstituted = false;
    // Measured against the poll before, so the traffic line shows it; the
    // first poll of a run only takes the counters.
    bool measured = false;
};

// What one poll asks of the device and how it goes on, as the monitor's
// state stands when it starts.
struct PollRequest {
    DeviceTarget device;
    // The interface polled; empty when none is chosen.
    QString interface;
    // The chosen interface, which names the log files.
    QString logInterface;
    QString bandwidth;
    int intervalSeconds = defaults::kPollInterval;
    bool continueWithZeroes = true;
    bool showBytes = false;
    bool writeLog = false;
    bool writeDebugLog = false;
};

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
    // What the poll measured; none when it ended before its traffic line (or
    // where that would stand).
    std::optional<PollMeasurement> measurement;
};

// One measurement: the two counter reads on the device worker, the error
// policy, the sample, the graph's series, the alarm, the logs and the
// traffic line, in that order. The counters it measures from are its part of
// the monitor's state; the readings are timed on its clock.
class PollCycle {
  public:
    using Finished = std::function<void(const PollOutcome&)>;

    PollCycle(ErrorReporter& errors, StatusBoard& board, TrafficCounters& counters,
              MessageList& messages, TrafficGraph& graph, AlarmPlayer& alarms, DeviceWorker& worker,
              std::shared_ptr<PollClock> clock = SystemPollClock());

    // `finished` follows on this thread unless the poll is abandoned first.
    void Start(const PollRequest& request, Finished finished);
    bool Running() const { return running_; }
    // The device worker dropped the poll: it no longer counts as running. A
    // poll whose alarm was sounding has its reading, which keeps its line.
    void Abandon();
    // Each polling run looks for the 64-bit counters again.
    void ForgetCounterWidth() { probedCountersOf_.clear(); }
    void UseClock(std::shared_ptr<PollClock> clock) { clock_ = std::move(clock); }

  private:
    // Which counters a poll reads over SNMPv2c and SNMPv3: the first poll of
    // an interface probes for the 64-bit ones, later polls read what it found.
    enum class Width { Probe, Wide, Narrow };
    struct Readings {
        std::optional<QString> out;
        std::optional<QString> in;
        // When each read ended, on the clock.
        std::int64_t outAtMs = 0;
        std::int64_t inAtMs = 0;
        bool wide = false;
        // SNMPv2c or SNMPv3 found no 64-bit counters and read the 32-bit ones.
        bool narrow = false;
        // Why a read got no answer, when the protocol said.
        std::optional<QString> cause;
    };
    static Readings ReadCounters(DeviceReader& reader, const DeviceTarget& device,
                                 const CounterObjects& counters, Width width, PollClock& clock);
    void CountersRead(const Readings& readings);
    void UseCounterWidth(bool wide);
    bool ApplyErrorPolicy(const Readings& readings);
    void AppendSamples(const TTrafficSample& sample);
    void Complete(const TTrafficSample& sample);
    // Runs one step under the error guard; false when it stopped the poll.
    bool Step(const std::function<void()>& step);
    void Finish(PollOutcome outcome);
    // Where the probe's finding of the counters' width holds.
    QString CounterDevice() const;

    ErrorReporter& errors_;
    StatusBoard& board_;
    TrafficCounters& counters_;
    CounterObjects objects_;
    MessageList& messages_;
    TrafficGraph& graph_;
    AlarmPlayer& alarms_;
    DeviceWorker& worker_;
    std::shared_ptr<PollClock> clock_;
    bool running_ = false;
    PollRequest request_;
    Finished finished_;
    std::optional<PollOutcome> early_;
    QDateTime pollTime_;
    // The SNMPv2c hint was given for the silence that still lasts.
    bool hinted_ = false;
    bool outSubstituted_ = false;
    bool inSubstituted_ = false;
    std::optional<PollMeasurement> measurement_;
    // The poll's sample while its alarm sounds.
    std::optional<TTrafficSample> sounding_;
    // Host and interface whose counters this polling run's probe found, and
    // whether they were the 64-bit ones.
    QString probedCountersOf_;
    bool probedWide_ = false;
};

}  // namespace pulsewell

#include "core/polling/PollCycle.h"

#include <chrono>
#include <tuple>

#include "core/ProgramFolder.h"
#include "core/SnmpVersion.h"
#include "core/device/DeviceObjects.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/Rounding.h"
#include "core/polling/TrafficLine.h"
#include "core/polling/TrafficLogs.h"

namespace pulsewell {

namespace {

const QString kSubstituted = QStringLiteral(
    "No value from host, calculation continues with old value! Sequential error probable!!");

QString CounterDevice(const TMonitorState& state) {
    return state.Host + u'\n' + state.PolledInterface;
}

std::int64_t MonotonicMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

PollCycle::PollCycle(ErrorReporter& errors, StatusBoard& board, TMonitorState& state,
                     MessageList& messages, TrafficGraph& graph, PollScheduler& scheduler,
                     AlarmPlayer& alarms, DeviceWorker& worker)
    : errors_(errors),
      board_(board),
      state_(state),
      messages_(messages),
      graph_(graph),
      scheduler_(scheduler),
      alarms_(alarms),
      worker_(worker),
      clock_(MonotonicMs) {}

bool PollCycle::Step(const std::function<void()>& step) {
    if (RunGuarded(errors_, step) && !early_) {
        return true;
    }
    Finish(early_.value_or(PollOutcome{}));
    return false;
}

void PollCycle::Finish(PollOutcome outcome) {
    running_ = false;
    early_.reset();
    if (finished_) {
        finished_(outcome);
    }
}

void PollCycle::Start(const QString& interface, Finished finished) {
    running_ = true;
    finished_ = std::move(finished);
    early_.reset();
    measurement_.reset();
    outSubstituted_ = false;
    inSubstituted_ = false;
    const bool reading = Step([&] {
        board_.SetText(QString());
        state_.Bandwidth = StripSeparators(state_.Bandwidth);
        board_.Changed();

        if (state_.Host.isEmpty()) {
            early_ =
                PollOutcome{PollOutcome::Refused, QStringLiteral("Please enter an IP address!!")};
            return;
        }
        scheduler_.RestartCountdown();

        state_.PolledInterface = interface;
        if (state_.PolledInterface == QStringLiteral("0")) {
            early_ = PollOutcome{PollOutcome::Refused, QStringLiteral("No interface selected!!")};
            return;
        }

        state_.PrevOutCounter = state_.OutCounter;
        state_.PrevInCounter = state_.InCounter;
        state_.PrevOutCounted = state_.OutCounted;
        state_.PrevInCounted = state_.InCounted;
        state_.PrevOutReading = state_.OutReading;
        state_.PrevInReading = state_.InReading;
        state_.PrevOutReadAtMs = state_.OutReadAtMs;
        state_.PrevInReadAtMs = state_.InReadAtMs;

        board_.SetText(QStringLiteral("Contacting..."));
        pollTime_ = QDateTime::currentDateTime();
    });
    if (!reading) {
        return;
    }
    const TMonitorState target = state_;
    const Width width = !CarriesCounter64(state_.Version)            ? Width::Narrow
                        : probedCountersOf_ != CounterDevice(state_) ? Width::Probe
                        : probedWide_                                ? Width::Wide
                                                                     : Width::Narrow;
    auto readings = std::make_shared<Readings>();
    counters_.Follow(state_.PolledInterface);
    worker_.Run(
        [target, counters = counters_, width, clock = clock_,
         readings](const DeviceWorker::Job& job) {
            *readings = ReadCounters(job.Reader(), target, counters, width, clock);
        },
        [this, readings](std::exception_ptr) { CountersRead(*readings); });
}

PollCycle::Readings PollCycle::ReadCounters(DeviceReader& reader, const TMonitorState& target,
                                            const CounterObjects& counters, Width width,
                                            const Clock& clock) {
    reader.SetSnmpVersion(target.Version);
    reader.SetSecurity(target.Security);
    reader.SetQueryTarget(target.Community, target.Host);
    const auto read = [&](const snmp::TOid& outOid, const snmp::TOid& inOid) {
        Readings readings;
        for (auto [reading, oid, at] : {std::tuple{&readings.out, &outOid, &readings.outAtMs},
                                        std::tuple{&readings.in, &inOid, &readings.inAtMs}}) {
            *reading = reader.ReadOneObject(*oid, target.Community, target.Host);
            // A read waits out a lost request: the counter is as of its answer.
            *at = clock();
            if (!*reading && !readings.cause) {
                readings.cause = reader.LastFailureCause();
            }
        }
        return readings;
    };
    if (width != Width::Narrow) {
        Readings wide = read(counters.wideOut, counters.wideIn);
        wide.wide = true;
        // Only the probe takes an object the agent lacks for an interface
        // without 64-bit counters; later, a value missing once is a missing value.
        const bool noValue = (wide.out && wide.out->isEmpty()) || (wide.in && wide.in->isEmpty());
        if (width == Width::Wide || !noValue) {
            return wide;
        }
    }
    Readings narrow = read(counters.out, counters.in);
    narrow.narrow = width == Width::Probe;
    return narrow;
}

void PollCycle::CountersRead(const Readings& readings) {
    TTrafficSample sample;
    const bool measured = Step([&] {
        state_.OutReading = readings.out.value_or(QString());
        state_.InReading = readings.in.value_or(QString());
        state_.OutReadAtMs = readings.outAtMs;
        state_.InReadAtMs = readings.inAtMs;
        // A probe that was answered decides the width for the rest of the run.
        if (readings.narrow || (readings.wide && readings.out && readings.in)) {
            probedCountersOf_ = CounterDevice(state_);
            probedWide_ = readings.wide;
        }
        if (readings.narrow) {
            messages_.Append(QStringLiteral("No 64-bit counters for interface %1: polling its "
                                            "32-bit counters over %2")
                                 .arg(state_.PolledInterface, SnmpVersionName(state_.Version)));
        }
        UseCounterWidth(readings.wide);
        if (!ApplyErrorPolicy(readings)) {
            return;
        }
        try {
            sample = ComputeSample(state_, messages_);
        } catch (const OperationError&) {
            board_.Changed();
            throw;
        }
        board_.Changed();
        AppendSamples(sample);
    });
    if (!measured) {
        return;
    }
    sounding_ = sample;
    alarms_.Sound(sample, [this, sample] {
        sounding_.reset();
        Complete(sample);
    });
}

void PollCycle::Abandon() {
    running_ = false;
    if (sounding_) {
        const TTrafficSample sample = *sounding_;
        sounding_.reset();
        Complete(sample);
    }
}

void PollCycle::Complete(const TTrafficSample& sample) {
    if (!Step([&] {
            graph_.Graphupdate();
            const QString folder = ProgramFolder();
            if (state_.WriteDebugLog) {
                WriteDebugLogEntry(folder, state_, sample, pollTime_, messages_.LastLine());
            }
            messages_.Trim();
            const bool measured = HasRates(state_, sample);
            if (measured) {
                messages_.Append(TrafficMessageLine(pollTime_, sample, state_.ShowBytes));
            }
            measurement_ =
                PollMeasurement{pollTime_, sample, outSubstituted_, inSubstituted_, measured};
            if (state_.WriteLog) {
                WriteTrafficLogEntry(folder, state_, sample, pollTime_);
            }
            board_.SetText(QString());
        })) {
        return;
    }
    Finish(PollOutcome{});
}

void PollCycle::UseCounterWidth(bool wide) {
    if (state_.WideCounters == wide) {
        return;
    }
    // Counters of the other width are no base to measure from.
    state_.WideCounters = wide;
    state_.ZeroCounters();
    state_.PrevOutReading = QStringLiteral("0");
    state_.PrevInReading = QStringLiteral("0");
}

bool PollCycle::ApplyErrorPolicy(const Readings& readings) {
    // A device silent in SNMPv2c may answer SNMPv1 only: said once, not every poll.
    const bool silent = !readings.out && !readings.in;
    const bool hint = silent && state_.Version == SnmpVersion::V2c;
    if (!state_.ContinueWithZeroes && (!readings.out || !readings.in)) {
        QString text = QStringLiteral("Failure contacting host! Polling stopped!");
        if (hint || readings.cause) {
            // In SNMPv2c that it did not answer in it; over SNMPv3 what the agent said.
            text = NoAnswerText(text, state_.Version, readings.cause);
        }
        early_ = PollOutcome{PollOutcome::Stopped, text};
        return false;
    }
    if (hint && !hinted_) {
        messages_.Append(NoAnswerText(QStringLiteral("Failure contacting host!"), state_.Version));
    }
    hinted_ = silent && (hinted_ || hint);
    struct Side {
        QString& reading;
        const QString& previous;
        std::int64_t& readAt;
        std::int64_t previousReadAt;
        bool& substituted;
    };
    for (const Side& side : {Side{state_.OutReading, state_.PrevOutReading, state_.OutReadAtMs,
                                  state_.PrevOutReadAtMs, outSubstituted_},
                             Side{state_.InReading, state_.PrevInReading, state_.InReadAtMs,
                                  state_.PrevInReadAtMs, inSubstituted_}}) {
        if (!side.reading.isEmpty()) {
            continue;
        }
        if (!state_.ContinueWithZeroes) {
            early_ = PollOutcome{PollOutcome::Stopped,
                                 QStringLiteral("No values from host! Polling stopped!")};
            return false;
        }
        side.reading = side.previous;
        side.readAt = side.previousReadAt;
        side.substituted = true;
        messages_.Append(kSubstituted);
    }
    return true;
}

void PollCycle::AppendSamples(const TTrafficSample& s) {
    graph_.MarkPoll(pollTime_, s.utilbit);
    // Each side's series waits for a rate of that side.
    if (state_.PrevInCounted && !s.inNoRate) {
        graph_.AddSample(TrafficSeries::InBytes, s.inbytepers);
        graph_.AddSample(TrafficSeries::InBits, s.inbitpers);
    }
    if (state_.PrevOutCounted && !s.outNoRate) {
        graph_.AddSample(TrafficSeries::OutBytes, s.outbytepers);
        graph_.AddSample(TrafficSeries::OutBits, s.outbitpers);
    }
    graph_.AddSample(TrafficSeries::CombinedBytes, s.combinedbytepers);
    graph_.AddSample(TrafficSeries::CombinedBits, s.combinedbitpers);
    graph_.AddSample(TrafficSeries::Utilization, RoundHalfEven(s.utilbit));
}

}  // namespace pulsewell

#include "core/polling/PollCycle.h"

#include <tuple>
#include <utility>

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

PollOutcome EndedEarly(PollOutcome::Kind kind, const QString& text) {
    PollOutcome outcome;
    outcome.kind = kind;
    outcome.text = text;
    return outcome;
}

}  // namespace

PollCycle::PollCycle(ErrorReporter& errors, StatusBoard& board, TrafficCounters& counters,
                     MessageList& messages, TrafficGraph& graph, AlarmPlayer& alarms,
                     DeviceWorker& worker, std::shared_ptr<PollClock> clock)
    : errors_(errors),
      board_(board),
      counters_(counters),
      messages_(messages),
      graph_(graph),
      alarms_(alarms),
      worker_(worker),
      clock_(std::move(clock)) {}

QString PollCycle::CounterDevice() const {
    return request_.device.Host + u'\n' + request_.interface;
}

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
    outcome.measurement = measurement_;
    if (finished_) {
        finished_(outcome);
    }
}

void PollCycle::Start(const PollRequest& request, Finished finished) {
    running_ = true;
    request_ = request;
    finished_ = std::move(finished);
    early_.reset();
    measurement_.reset();
    outSubstituted_ = false;
    inSubstituted_ = false;
    const bool reading = Step([&] {
        board_.SetText(QString());
        if (request_.device.Host.isEmpty()) {
            early_ =
                EndedEarly(PollOutcome::Refused, QStringLiteral("Please enter an IP address!!"));
            return;
        }
        if (request_.interface == QStringLiteral("0")) {
            early_ = EndedEarly(PollOutcome::Refused, QStringLiteral("No interface selected!!"));
            return;
        }
        counters_.BeginPoll();
        board_.SetText(QStringLiteral("Contacting..."));
        pollTime_ = QDateTime::currentDateTime();
    });
    if (!reading) {
        return;
    }
    const Width width = !CarriesCounter64(request_.device.Version) ? Width::Narrow
                        : probedCountersOf_ != CounterDevice()     ? Width::Probe
                        : probedWide_                              ? Width::Wide
                                                                   : Width::Narrow;
    auto readings = std::make_shared<Readings>();
    objects_.Follow(request_.interface);
    worker_.Run(
        [device = request_.device, objects = objects_, width, clock = clock_,
         readings](const DeviceWorker::Job& job) {
            *readings = ReadCounters(job.Reader(), device, objects, width, *clock);
        },
        [this, readings](std::exception_ptr) { CountersRead(*readings); });
}

PollCycle::Readings PollCycle::ReadCounters(DeviceReader& reader, const DeviceTarget& device,
                                            const CounterObjects& counters, Width width,
                                            PollClock& clock) {
    reader.Aim(device);
    const auto read = [&](const snmp::TOid& outOid, const snmp::TOid& inOid) {
        Readings readings;
        for (auto [reading, oid, at] : {std::tuple{&readings.out, &outOid, &readings.outAtMs},
                                        std::tuple{&readings.in, &inOid, &readings.inAtMs}}) {
            *reading = reader.ReadOneObject(*oid, device.Community, device.Host);
            // A read waits out a lost request: the counter is as of its answer.
            *at = clock.NowMs();
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
        counters_.Out.Now.Text = readings.out.value_or(QString());
        counters_.In.Now.Text = readings.in.value_or(QString());
        counters_.Out.Now.ReadAtMs = readings.outAtMs;
        counters_.In.Now.ReadAtMs = readings.inAtMs;
        // A probe that was answered decides the width for the rest of the run.
        if (readings.narrow || (readings.wide && readings.out && readings.in)) {
            probedCountersOf_ = CounterDevice();
            probedWide_ = readings.wide;
        }
        if (readings.narrow) {
            messages_.Append(
                QStringLiteral("No 64-bit counters for interface %1: polling its "
                               "32-bit counters over %2")
                    .arg(request_.interface, SnmpVersionName(request_.device.Version)));
        }
        UseCounterWidth(readings.wide);
        if (!ApplyErrorPolicy(readings)) {
            return;
        }
        SampleStep step = ComputeSample(counters_, request_.intervalSeconds);
        counters_ = step.counters;
        for (const QString& line : step.messages) {
            messages_.Append(line);
        }
        board_.Changed();
        // A bandwidth that does not parse ends the poll after the counters and totals.
        step.sample.utilbit = Utilization(step.sample, request_.bandwidth);
        sample = step.sample;
        AppendSamples(sample);
    });
    if (!measured) {
        return;
    }
    sounding_ = sample;
    alarms_.Sound(sample, request_.device.Host, request_.interface, [this, sample] {
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
            const bool measured = HasRates(counters_, sample);
            const LogSubject subject{request_.device.Host, request_.logInterface,
                                     request_.bandwidth,   request_.showBytes,
                                     counters_.Wide,       measured};
            if (request_.writeDebugLog) {
                WriteDebugLogEntry(folder, subject, sample, pollTime_, messages_.LastLine());
            }
            messages_.Trim();
            if (measured) {
                messages_.Append(TrafficMessageLine(pollTime_, sample, request_.showBytes));
            }
            measurement_ =
                PollMeasurement{pollTime_, sample, outSubstituted_, inSubstituted_, measured};
            if (request_.writeLog) {
                WriteTrafficLogEntry(folder, subject, sample, pollTime_);
            }
            board_.SetText(QString());
        })) {
        return;
    }
    Finish(PollOutcome{});
}

void PollCycle::UseCounterWidth(bool wide) {
    if (counters_.Wide == wide) {
        return;
    }
    // Counters of the other width are no base to measure from.
    counters_.Wide = wide;
    counters_.ZeroCounters();
    counters_.Out.Previous.Text = QStringLiteral("0");
    counters_.In.Previous.Text = QStringLiteral("0");
}

bool PollCycle::ApplyErrorPolicy(const Readings& readings) {
    // A device silent in SNMPv2c may answer SNMPv1 only: said once, not every poll.
    const bool silent = !readings.out && !readings.in;
    const SnmpVersion version = request_.device.Version;
    const bool hint = silent && version == SnmpVersion::V2c;
    if (!request_.continueWithZeroes && (!readings.out || !readings.in)) {
        QString text = QStringLiteral("Failure contacting host! Polling stopped!");
        if (hint || readings.cause) {
            // In SNMPv2c that it did not answer in it; over SNMPv3 what the agent said.
            text = NoAnswerText(text, version, readings.cause);
        }
        early_ = EndedEarly(PollOutcome::Stopped, text);
        return false;
    }
    if (hint && !hinted_) {
        messages_.Append(NoAnswerText(QStringLiteral("Failure contacting host!"), version));
    }
    hinted_ = silent && (hinted_ || hint);
    for (auto [side, substituted] :
         {std::pair{&counters_.Out, &outSubstituted_}, std::pair{&counters_.In, &inSubstituted_}}) {
        if (!side->Now.Text.isEmpty()) {
            continue;
        }
        if (!request_.continueWithZeroes) {
            early_ = EndedEarly(PollOutcome::Stopped,
                                QStringLiteral("No values from host! Polling stopped!"));
            return false;
        }
        side->Now.Text = side->Previous.Text;
        side->Now.ReadAtMs = side->Previous.ReadAtMs;
        *substituted = true;
        messages_.Append(kSubstituted);
    }
    return true;
}

void PollCycle::AppendSamples(const TTrafficSample& s) {
    graph_.MarkPoll(pollTime_, s.utilbit);
    // Each side's series waits for a rate of that side.
    if (counters_.In.HasPrevious() && !s.inNoRate) {
        graph_.AddSample(TrafficSeries::InBytes, s.inbytepers);
        graph_.AddSample(TrafficSeries::InBits, s.inbitpers);
    }
    if (counters_.Out.HasPrevious() && !s.outNoRate) {
        graph_.AddSample(TrafficSeries::OutBytes, s.outbytepers);
        graph_.AddSample(TrafficSeries::OutBits, s.outbitpers);
    }
    graph_.AddSample(TrafficSeries::CombinedBytes, s.combinedbytepers);
    graph_.AddSample(TrafficSeries::CombinedBits, s.combinedbitpers);
    graph_.AddSample(TrafficSeries::Utilization, RoundHalfEven(s.utilbit));
}

}  // namespace pulsewell

#include "core/sweep/InterfaceSweeper.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QPointer>
#include <algorithm>

#include "core/sweep/SweepReading.h"
#include "history/Calendar.h"

namespace pulsewell {

namespace {

std::int64_t MonotonicMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

}  // namespace

InterfaceSweeper::InterfaceSweeper(DeviceWorker& worker, QObject* parent)
    : QObject(parent),
      worker_(worker),
      recorder_([this](const QString& problem) { emit HistoryFailed(problem); }),
      minutes_([this](const history::SweptMinuteRuns& runs) { recorder_.Record(runs); }) {
    next_.setSingleShot(true);
    connect(&next_, &QTimer::timeout, this, &InterfaceSweeper::Sweep);
    connect(&worker_, &DeviceWorker::Abandoned, this, [this] {
        if (inFlight_) {
            CallOff();
            SweepDone();
        }
    });
}

InterfaceSweeper::~InterfaceSweeper() {
    CallOff();
    minutes_.Close();
}

bool InterfaceSweeper::SetTarget(const DeviceTarget& target) {
    const bool another = target.Host != target_.Host || target.Community != target_.Community ||
                         target.Version != target_.Version;
    if (another) {
        CallOff();
        minutes_.Close();
        table_.Clear();
        if (inFlight_) {
            inFlight_ = false;
            if (running_) {
                next_.start(0);
            }
        }
    }
    target_ = target;
    return another;
}

void InterfaceSweeper::Start(int seconds) {
    intervalMs_ = std::max(1, seconds) * 1000;
    running_ = true;
    if (!inFlight_) {
        next_.start(0);
    }
}

void InterfaceSweeper::Stop() {
    running_ = false;
    next_.stop();
    CallOff();
    inFlight_ = false;
    minutes_.Close();
}

void InterfaceSweeper::CallOff() {
    ++generation_;
    if (cancelled_) {
        *cancelled_ = true;
    }
}

void InterfaceSweeper::Sweep() {
    if (!running_ || inFlight_) {
        return;
    }
    inFlight_ = true;
    startedMs_ = MonotonicMs();
    cancelled_ = std::make_shared<std::atomic<bool>>(false);
    const int generation = generation_;
    SweepPlan plan = table_.Plan(target_.Version != SnmpVersion::V1);
    plan.community = target_.Community;
    plan.host = target_.Host;
    const QPointer<InterfaceSweeper> self(this);
    worker_.Run(
        [self, plan, target = target_, cancelled = cancelled_,
         generation](const DeviceWorker::Job& job) {
            DeviceReader& reader = job.Reader();
            reader.Aim(target);
            SweepReading reading =
                ReadSweep(reader, plan, [&] { return job.Current() && !*cancelled; });
            job.Post([self, reading = std::move(reading), generation] {
                if (self && generation == self->generation_) {
                    self->Ended(reading);
                }
            });
        },
        [self, generation](std::exception_ptr) {
            if (self && generation == self->generation_) {
                self->SweepDone();
            }
        });
}

void InterfaceSweeper::Ended(const SweepReading& reading) {
    const std::int64_t durationMs = MonotonicMs() - startedMs_;
    const SweepResult result = table_.Apply(reading, QDateTime::currentDateTime(), durationMs);
    // With the history switched off, nothing is added up for it. The
    // settings file is read once a minute, not at every sweep.
    const std::int64_t minuteMs =
        history::FloorTo(result.ended.toMSecsSinceEpoch(), history::kMinuteMs);
    if (minuteMs != recordingCheckedMs_) {
        recording_ = recorder_.Recording();
        recordingCheckedMs_ = minuteMs;
    }
    if (recording_) {
        minutes_.Add(result, target_.Host);
    }
    emit SweepEnded(result);
}

void InterfaceSweeper::SweepDone() {
    inFlight_ = false;
    if (running_) {
        next_.start(static_cast<int>(
            std::clamp<std::int64_t>(startedMs_ + intervalMs_ - MonotonicMs(), 0, intervalMs_)));
    }
}

}  // namespace pulsewell

#include <QFileInfo>

#include "Monitor.h"
#include "NumberText.h"
#include "ProgramFolder.h"
#include "Rounding.h"
#include "TrafficLine.h"
#include "TrafficLogs.h"

namespace pulsewell {

namespace {

const QString kOutOctets = QStringLiteral("1.3.6.1.2.1.2.2.1.16.");
const QString kInOctets = QStringLiteral("1.3.6.1.2.1.2.2.1.10.");
const QString kHCOutOctets = QStringLiteral("1.3.6.1.2.1.31.1.1.1.10.");
const QString kHCInOctets = QStringLiteral("1.3.6.1.2.1.31.1.1.1.6.");
const QString kSubstituted = QStringLiteral(
    "No value from host, calculation continues with old value! Sequential error probable!!");

}  // namespace

void Monitor::PollOnce() {
    Guarded([this] {
        view_.SetStatusText(MonitorView::kStatusPanel, QString());
        state_.Bandwidth = StripSeparators(state_.Bandwidth);
        view_.ShowBandwidth(state_.Bandwidth);

        if (state_.Host.isEmpty()) {
            RefusePoll(QStringLiteral("Please enter an IP address!!"));
            return;
        }

        state_.Countdown = state_.IntervalSeconds;
        view_.SetStatusText(MonitorView::kCountdownPanel,
                            QStringLiteral("Next poll in %1 seconds").arg(state_.Countdown));
        countdownTimer_.start();

        state_.PolledInterface =
            selectedInterface_ >= 0 && selectedInterface_ < interfaceEntries_.size()
                ? interfaceEntries_[selectedInterface_]
                : QString();
        if (state_.PolledInterface == QStringLiteral("0")) {
            RefusePoll(QStringLiteral("No interface selected!!"));
            return;
        }

        state_.PrevOutCounter = state_.OutCounter;
        state_.PrevInCounter = state_.InCounter;
        state_.PrevOutReading = state_.OutReading;
        state_.PrevInReading = state_.InReading;

        TargetDevice();
        view_.SetStatusText(MonitorView::kStatusPanel, QStringLiteral("Contacting..."));
        pollTime_ = QDateTime::currentDateTime();

        const CounterAnswers answers = ReadCounters();
        if (!ApplyErrorPolicy(answers.out, answers.in)) {
            return;
        }

        TTrafficSample sample;
        try {
            sample = ComputeSample(state_, messages_);
        } catch (const OperationError&) {
            ShowTotals();  // the counters and totals may have changed already
            throw;
        }
        ShowTotals();

        AppendSamples(sample);
        SoundAlarms(sample);
        graph_.Graphupdate();

        const QString folder = ProgramFolder();
        if (state_.WriteDebugLog) {
            WriteDebugLogEntry(folder, state_, sample, pollTime_, messages_.LastLine());
        }
        messages_.Trim();
        if (state_.HasPrevOutCounter()) {
            messages_.Append(TrafficMessageLine(pollTime_, sample, state_.ShowBytes));
        }
        if (state_.WriteLog) {
            WriteTrafficLogEntry(folder, state_, sample, pollTime_);
        }
        view_.SetStatusText(MonitorView::kStatusPanel, QString());
    });
    emit PollFinished();
}

Monitor::CounterAnswers Monitor::ReadCounterPair(const QString& outOid, const QString& inOid) {
    CounterAnswers answers;
    answers.out = reader_.ReadOneValue(outOid + state_.PolledInterface, state_.Community,
                                       state_.Host, state_.OutReading);
    answers.in = reader_.ReadOneValue(inOid + state_.PolledInterface, state_.Community, state_.Host,
                                      state_.InReading);
    return answers;
}

Monitor::CounterAnswers Monitor::ReadCounters() {
    const QString device = state_.Host + u'\n' + state_.PolledInterface;
    if (state_.Version == SnmpVersion::V2c && narrowCountersOf_ != device) {
        const CounterAnswers answers = ReadCounterPair(kHCOutOctets, kHCInOctets);
        const bool noValue = (answers.out && state_.OutReading.isEmpty()) ||
                             (answers.in && state_.InReading.isEmpty());
        if (!noValue) {
            UseCounterWidth(true);
            return answers;
        }
        narrowCountersOf_ = device;
        messages_.Append(QStringLiteral("No 64-bit counters for interface %1: polling its "
                                        "32-bit counters over SNMPv2c")
                             .arg(state_.PolledInterface));
    }
    UseCounterWidth(false);
    return ReadCounterPair(kOutOctets, kInOctets);
}

void Monitor::UseCounterWidth(bool wide) {
    if (state_.WideCounters == wide) {
        return;
    }
    // Counters of the other width are no base to measure from.
    state_.WideCounters = wide;
    state_.ZeroCounters();
    state_.PrevOutReading = QStringLiteral("0");
    state_.PrevInReading = QStringLiteral("0");
}

void Monitor::RefusePoll(const QString& reason) {
    view_.ShowMessageBox(reason, QStringLiteral("Error"));
    view_.SetCommandEnabled(MonitorCommand::StartPolling, true);
    view_.SetCommandEnabled(MonitorCommand::FirstContact, true);
}

bool Monitor::ApplyErrorPolicy(bool outAnswered, bool inAnswered) {
    if (!state_.ContinueWithZeroes && (!outAnswered || !inAnswered)) {
        StopByError(QStringLiteral("Failure contacting host! Polling stopped!"));
        return false;
    }
    struct Side {
        QString& reading;
        const QString& previous;
    };
    for (const Side& side : {Side{state_.OutReading, state_.PrevOutReading},
                             Side{state_.InReading, state_.PrevInReading}}) {
        if (!side.reading.isEmpty()) {
            continue;
        }
        if (!state_.ContinueWithZeroes) {
            StopByError(QStringLiteral("No values from host! Polling stopped!"));
            return false;
        }
        side.reading = side.previous;
        messages_.Append(kSubstituted);
    }
    return true;
}

void Monitor::StopByError(const QString& status) {
    pollTimer_.stop();
    view_.SetStatusText(MonitorView::kStatusPanel, status);
    view_.SetCommandEnabled(MonitorCommand::StartPolling, true);
    view_.SetCommandEnabled(MonitorCommand::FirstContact, true);
    emit PollingFailed();
}

void Monitor::AppendSamples(const TTrafficSample& s) {
    // The input series wait for a previous output counter and vice versa.
    if (state_.HasPrevOutCounter()) {
        graph_.AddSample(3, s.inbytepers);
        graph_.AddSample(0, s.inbitpers);
    }
    if (state_.HasPrevInCounter()) {
        graph_.AddSample(4, s.outbytepers);
        graph_.AddSample(1, s.outbitpers);
    }
    graph_.AddSample(5, s.combinedbytepers);
    graph_.AddSample(2, s.combinedbitpers);
    graph_.AddSample(6, RoundHalfEven(s.utilbit));
}

void Monitor::SoundAlarms(const TTrafficSample& sample) {
    const TAlarmSettings alarms = view_.CurrentAlarmSettings();
    // Switching an alarm off forgets that its file failed.
    if (!alarms.HighAlarm) {
        unplayableHighSound_.clear();
    }
    if (!alarms.LowAlarm) {
        unplayableLowSound_.clear();
    }
    const std::int64_t utilization = RoundHalfEven(sample.utilbit);
    if (alarms.HighAlarm && utilization >= ParseStoredInt32(alarms.HighValue)) {
        PlayAlarm(alarms.HighAlarmFile, unplayableHighSound_);
    } else if (alarms.LowAlarm && utilization >= ParseStoredInt32(alarms.LowValue) &&
               utilization < ParseStoredInt32(alarms.HighValue)) {
        PlayAlarm(alarms.LowAlarmFile, unplayableLowSound_);
    }
}

void Monitor::PlayAlarm(const QString& path, QString& unplayable) {
    // A file that could not be played is reported once and then left alone
    // until it (or the alarm's choice of file) changes, so that a broken alarm
    // does not end every poll.
    const QFileInfo file(path);
    const QString identity = QStringLiteral("%1\n%2\n%3")
                                 .arg(path, file.lastModified().toString(Qt::ISODateWithMs))
                                 .arg(file.size());
    if (identity == unplayable) {
        return;
    }
    try {
        if (!file.exists()) {
            throw MediaError(path, QStringLiteral("file not found"));
        }
        player_.Play(path);
    } catch (const OperationError&) {
        unplayable = identity;
        throw;
    }
    unplayable.clear();
}

}  // namespace pulsewell

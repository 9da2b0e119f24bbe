#include "cli/PollCommand.h"

#include <QCoreApplication>
#include <QTimer>
#include <memory>

#include "cli/CliMonitor.h"
#include "cli/PollRecords.h"
#include "cli/StopSignals.h"
#include "core/numbers/NumberText.h"

namespace pulsewell::cli {

namespace {

void Configure(Monitor& monitor, const PollOptions& options) {
    if (options.showBytes) {
        monitor.SetShowBytes(*options.showBytes);
    }
    if (options.continueOnErrors) {
        monitor.SetContinueWithZeroes(*options.continueOnErrors);
    }
    monitor.SetBandwidth(options.bandwidth.value_or(QStringLiteral("0")));
    monitor.PollInterface(options.interface);
    monitor.SelectInterval(options.interval);
    monitor.SetWriteLog(options.log);
    monitor.SetWriteDebugLog(options.debugLog);
}

// Says on standard error where the utilization's base came from.
void ReportSpeed(const Monitor& monitor, bool answered) {
    const QString& bandwidth = monitor.State().Bandwidth;
    if (bandwidth != QStringLiteral("0")) {
        PrintErr(QStringLiteral("note: bandwidth %1 bit/s, the interface's speed").arg(bandwidth));
    } else if (answered) {
        PrintErr(QStringLiteral("note: the device gives no speed for interface %1; the "
                                "utilization stays 0 without --bandwidth")
                     .arg(monitor.State().PolledInterface));
    }
}

bool IsZero(const QString& bandwidth) {
    return TryParseInt64(StripSeparators(bandwidth)) == 0;
}

QString StoppedAfter(qint64 polls) {
    return polls == 1 ? QStringLiteral("Polling stopped after 1 poll.")
                      : QStringLiteral("Polling stopped after %1 polls.").arg(polls);
}

}  // namespace

int RunPoll(const PollOptions& options, DeviceReader& reader) {
    const bool text = options.format == OutputFormat::Text;
    CliMonitor cli(reader, options.host, options.community, options.snmpVersion, options.connection,
                   text ? Echo::Lines : Echo::Aside);
    Monitor& monitor = cli.monitor();
    Configure(monitor, options);
    if (options.bandwidth && IsZero(*options.bandwidth)) {
        PrintErr(QStringLiteral("note: bandwidth 0: the utilization is not computed"));
    }
    if ((options.log || options.debugLog) && (options.interval == 1 || options.interval == 3)) {
        PrintErr(QStringLiteral("note: no log files are written at intervals of 1 and 3 seconds"));
    }
    std::unique_ptr<PollRecords> records;
    if (!text) {
        records = std::make_unique<PollRecords>(options.format, options.host, options.interface);
        if (const auto header = records->Header()) {
            PrintOut(*header);
        }
    }

    bool started = false;
    bool ended = false;
    bool gaveReading = false;
    qint64 polls = 0;
    // state holds the totals: Stop polling zeroes the monitor's.
    auto end = [&](bool stoppedByError, const TMonitorState& state) {
        if (started && records) {
            PrintOut(records->Totals(QDateTime::currentDateTime(), state.Schedule.IntervalSeconds,
                                     state.Traffic.Total.In, state.Traffic.Total.Out));
        }
        ended = true;
        QCoreApplication::exit(!stoppedByError && gaveReading ? 0 : 1);
    };
    auto stop = [&](const QString& status) {
        if (ended) {
            return;
        }
        const TMonitorState state = monitor.State();
        if (started) {
            monitor.StopPolling(status);  // prints the totals line
        }
        end(false, state);
    };
    auto stopByUser = [&] { stop(QStringLiteral("Polling stopped by user.")); };
    auto stopByError = [&] {
        if (ended) {
            return;
        }
        if (started) {
            cli.PrintLine(monitor.TotalsLine());
        }
        end(true, monitor.State());
    };
    QObject::connect(&monitor, &Monitor::PollingStarted, [&] {
        started = true;
        // Queued before the first poll's reads, so the speed is known by the second poll.
        monitor.ReadInterfaceSpeed(!options.bandwidth);
    });
    QObject::connect(
        &monitor, &Monitor::InterfaceSpeedRead, [&](const InterfaceSpeedReading& reading) {
            if (!reading.present) {
                PrintErr(
                    QStringLiteral("error: the device has no interface %1").arg(options.interface));
                stopByError();
            } else if (!options.bandwidth) {
                ReportSpeed(monitor, reading.answered);
            }
        });
    QObject::connect(&monitor, &Monitor::PollingFailed, stopByError);
    QObject::connect(&monitor, &Monitor::PollMeasured, [&](const PollMeasurement& m) {
        gaveReading = gaveReading || !(m.outSubstituted && m.inSubstituted);
        if (records && m.measured) {
            PrintOut(records->Poll(m, monitor.State().Schedule.IntervalSeconds,
                                   ParseInt64(monitor.State().Bandwidth)));
        }
    });
    QObject::connect(&monitor, &Monitor::PollFinished, [&] {
        if (options.count && ++polls >= *options.count) {
            stop(StoppedAfter(polls));
        }
    });
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::StopRequested, stopByUser);

    // Inside the event loop, so that an early end can leave it.
    QTimer::singleShot(0, &monitor, [&] { monitor.StartPolling(); });
    return QCoreApplication::exec();
}

}  // namespace pulsewell::cli

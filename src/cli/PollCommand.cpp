#include "PollCommand.h"

#include <QCoreApplication>
#include <QTimer>

#include "CliMonitor.h"
#include "StopSignals.h"

namespace pulsewell::cli {

namespace {

void Configure(Monitor& monitor, const PollOptions& options) {
    if (options.showBytes) {
        monitor.SetShowBytes(*options.showBytes);
    }
    if (options.continueOnErrors) {
        monitor.SetContinueWithZeroes(*options.continueOnErrors);
    }
    monitor.SetBandwidth(options.bandwidth);
    monitor.PollInterface(options.interface);
    monitor.SelectInterval(options.interval);
    monitor.SetWriteLog(options.log);
    monitor.SetWriteDebugLog(options.debugLog);
}

}  // namespace

int RunPoll(const PollOptions& options, DeviceReader& reader) {
    CliMonitor cli(reader, options);
    Monitor& monitor = cli.monitor();
    Configure(monitor, options);
    if ((options.log || options.debugLog) && (options.interval == 1 || options.interval == 3)) {
        PrintErr(QStringLiteral("note: no log files are written at intervals of 1 and 3 seconds"));
    }

    bool started = false;
    bool ended = false;
    qint64 polls = 0;
    auto end = [&](int exitCode) {
        ended = true;
        QCoreApplication::exit(exitCode);
    };
    auto stopByUser = [&] {
        if (ended) {
            return;
        }
        if (started) {
            monitor.StopPolling();  // prints the totals line
        }
        end(0);
    };
    QObject::connect(&monitor, &Monitor::PollingStarted, [&] { started = true; });
    QObject::connect(&monitor, &Monitor::PollingFailed, [&] {
        if (ended) {
            return;
        }
        if (started) {
            PrintOut(monitor.TotalsLine());
        }
        end(1);
    });
    QObject::connect(&monitor, &Monitor::PollFinished, [&] {
        if (options.count && ++polls >= *options.count) {
            stopByUser();
        }
    });
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::StopRequested, stopByUser);

    // Inside the event loop, so that an early end can leave it.
    QTimer::singleShot(0, &monitor, [&] { monitor.StartPolling(); });
    return QCoreApplication::exec();
}

}  // namespace pulsewell::cli

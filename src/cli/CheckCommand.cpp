#include "cli/CheckCommand.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

#include "cli/CliMonitor.h"
#include "core/numbers/NumberText.h"

namespace pulsewell::cli {

namespace {

// The options' thresholds, else the plugin's own: a critical one alone below
// the default warning one leaves no room for a warning.
CheckThresholds Thresholds(const CheckOptions& options) {
    CheckThresholds thresholds;
    thresholds.critical = options.critical.value_or(thresholds.critical);
    thresholds.warning =
        options.warning.value_or(std::min(thresholds.warning, thresholds.critical));
    return thresholds;
}

void Configure(Monitor& monitor, const CheckOptions& options) {
    // A missing counter makes the verdict unknown rather than a rate of 0.
    monitor.SetContinueWithZeroes(false);
    monitor.SetBandwidth(options.bandwidth.value_or(QStringLiteral("0")));
    monitor.PollInterface(options.interface);
    monitor.SelectInterval(options.interval);
}

void Wait(qint64 milliseconds) {
    if (milliseconds <= 0) {
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

CheckVerdict RunCheck(const CheckOptions& options, DeviceReader& reader) {
    const CheckThresholds thresholds = Thresholds(options);
    if (thresholds.warning > thresholds.critical) {
        return Unknown(QStringLiteral("the warning threshold %1 % is above the critical one %2 %")
                           .arg(thresholds.warning)
                           .arg(thresholds.critical));
    }

    CliMonitor cli(reader, options.host, options.community, options.snmpVersion, options.connection,
                   Echo::Quiet);
    Monitor& monitor = cli.monitor();
    Configure(monitor, options);
    const auto failure = [&] {
        const QString& error = cli.View().LastError();
        return Unknown(error.isEmpty() ? cli.View().LastStatus() : error);
    };

    // Whether the device has the interface, and its speed where no bandwidth is given.
    InterfaceSpeedReading interface;
    QObject::connect(&monitor, &Monitor::InterfaceSpeedRead,
                     [&](const InterfaceSpeedReading& reading) { interface = reading; });
    cli.Await(&Monitor::InterfaceSpeedRead,
              [&] { monitor.ReadInterfaceSpeed(!options.bandwidth); });
    if (!interface.answered || interface.cause) {
        return Unknown(interface.cause
                           ? NoAnswerText(QStringLiteral("Failure contacting host!"),
                                          monitor.State().Device.Version, interface.cause)
                           : QStringLiteral("no answer from %1").arg(options.host));
    }
    if (cli.ErrorCount() > 0) {
        return failure();
    }
    if (!interface.present) {
        return Unknown(QStringLiteral("the device has no interface %1").arg(options.interface));
    }

    bool failed = false;
    std::optional<PollMeasurement> second;
    QObject::connect(&monitor, &Monitor::PollingFailed, [&] { failed = true; });
    QObject::connect(&monitor, &Monitor::PollMeasured,
                     [&](const PollMeasurement& m) { second = m; });
    QElapsedTimer clock;
    clock.start();
    for (int reading = 0; reading < 2; ++reading) {
        // The second reading starts an interval after the first began, as the poll timer does.
        Wait(reading * options.interval * 1000LL - clock.elapsed());
        cli.Await(&Monitor::PollFinished, [&] { monitor.PollOnce(); });
        if (failed || cli.ErrorCount() > 0) {
            return failure();
        }
    }
    if (!second || !second->measured || second->sample.inNoRate || second->sample.outNoRate) {
        return Unknown(QStringLiteral("no rate for interface %1 between the two readings")
                           .arg(options.interface));
    }
    if (ParseInt64(monitor.State().Bandwidth) == 0) {
        return Unknown(
            QStringLiteral("no bandwidth to measure interface %1 against: give --bandwidth")
                .arg(options.interface));
    }
    const TTrafficSample& s = second->sample;
    if (s.inReset || s.outReset) {
        return Unknown(
            QStringLiteral("a 64-bit counter fell between the readings (device "
                           "restart or counter reset)"));
    }
    return Judge(s.inbitpers, s.outbitpers, s.utilbit, thresholds);
}

}  // namespace pulsewell::cli

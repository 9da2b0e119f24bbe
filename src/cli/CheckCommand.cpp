#include "CheckCommand.h"

#include <QElapsedTimer>
#include <QTimer>

#include "CliMonitor.h"
#include "NumberText.h"
#include "SettingNames.h"
#include "SettingsKey.h"

namespace pulsewell::cli {

namespace {

// The options' thresholds, else the window's stored low and high ones, else
// the defaults. A stored value that is no number raises an OperationError.
CheckThresholds Thresholds(const CheckOptions& options) {
    CheckThresholds thresholds;
    const SettingsKey key;
    if (const auto low = key.Read(settings::kLowValue.name)) {
        thresholds.warning = ParseStoredInt32(*low);
    }
    if (const auto high = key.Read(settings::kHighValue.name)) {
        thresholds.critical = ParseStoredInt32(*high);
    }
    thresholds.warning = options.warning.value_or(thresholds.warning);
    thresholds.critical = options.critical.value_or(thresholds.critical);
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
    CheckThresholds thresholds;
    try {
        thresholds = Thresholds(options);
    } catch (const OperationError& error) {
        return Unknown(QStringLiteral("stored threshold: ") + error.Message());
    }
    if (thresholds.warning > thresholds.critical) {
        return Unknown(QStringLiteral("the warning threshold %1 % is above the critical one %2 %")
                           .arg(thresholds.warning)
                           .arg(thresholds.critical));
    }

    CliMonitor cli(reader, options.host, options.community, options.snmpVersion,
                   options.connection, Echo::Quiet);
    Monitor& monitor = cli.monitor();
    Configure(monitor, options);
    const auto failure = [&] {
        const QString& error = cli.View().LastError();
        return Unknown(error.isEmpty() ? cli.View().LastStatus() : error);
    };

    if (!options.bandwidth) {
        bool answered = false;
        QObject::connect(&monitor, &Monitor::InterfaceSpeedRead, [&](bool a) { answered = a; });
        cli.Await(&Monitor::InterfaceSpeedRead, [&] { monitor.ReadInterfaceSpeed(); });
        if (!answered) {
            return Unknown(QStringLiteral("no answer from %1").arg(options.host));
        }
        if (cli.ErrorCount() > 0) {
            return failure();
        }
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
    if (!second || !second->measured) {
        return Unknown(QStringLiteral("no rate: the counters of interface %1 stand at 0")
                           .arg(options.interface));
    }
    if (ParseInt64(monitor.State().Bandwidth) == 0) {
        return Unknown(QStringLiteral("no bandwidth to measure interface %1 against: give --bandwidth")
                           .arg(options.interface));
    }
    const TTrafficSample& s = second->sample;
    if (s.inReset || s.outReset) {
        return Unknown(QStringLiteral("a 64-bit counter fell between the readings (device "
                                      "restart or counter reset)"));
    }
    return Judge(s.inbitpers, s.outbitpers, s.utilbit, thresholds);
}

}  // namespace pulsewell::cli

#include "cli/HistoryCommand.h"

#include <QDateTime>

#include "cli/CliView.h"
#include "cli/HistoryRecords.h"
#include "core/numbers/NumberText.h"
#include "core/polling/HistoryRecorder.h"
#include "history/Database.h"

namespace pulsewell::cli {

namespace {

using history::HistoryStore;

// The store and the interface's series, or why there is none.
struct OpenedHistory {
    std::unique_ptr<HistoryStore> store;
    std::optional<history::Series> series;
};

OpenedHistory OpenSeries(const QString& host, const QString& interface) {
    OpenedHistory opened;
    opened.store = std::make_unique<HistoryStore>(
        HistoryPath().toStdString(), StoredHistorySettings().retention,
        [](const std::string& problem) { PrintErr(QString::fromStdString(problem)); });
    if (!opened.store->Usable()) {
        return opened;
    }
    opened.series = opened.store->FindSeries(host.toStdString(), interface.toStdString());
    if (!opened.series) {
        PrintErr(QStringLiteral("error: no history of interface %1 of %2 in %3")
                     .arg(interface, host, HistoryPath()));
    }
    return opened;
}

QString BitRate(const std::optional<double>& bytesPerSecond) {
    return bytesPerSecond ? RateText(*bytesPerSecond * 8) : QStringLiteral("no value");
}

QString FigureLine(const QString& name, const std::optional<double>& in,
                   const std::optional<double>& out) {
    return QStringLiteral("%1 IN bits/s: %2; OUT bits/s: %3").arg(name, BitRate(in), BitRate(out));
}

QString VolumeLine(const QString& name, const history::Volume& volume) {
    if (volume.rows == 0) {
        return name + QStringLiteral(" no readings");
    }
    return QStringLiteral("%1 IN: %2 bytes; OUT: %3 bytes; combined: %4 bytes")
        .arg(name, IntegerText(volume.in), IntegerText(volume.out),
             IntegerText(volume.in + volume.out));
}

}  // namespace

int RunHistory(const HistoryOptions& options) {
    try {
        OpenedHistory opened = OpenSeries(options.host, options.interface);
        if (!opened.series) {
            return 1;
        }
        HistoryStore& store = *opened.store;
        const qint64 to = options.toMs.value_or(QDateTime::currentMSecsSinceEpoch());
        const qint64 from = options.fromMs.value_or(to - history::kDayMs);
        const history::Step step = options.step ? *history::ParseStep(options.step->toStdString())
                                                : store.AutomaticStep(opened.series->id, from, to);
        const HistoryRecords records(options.format, step);
        if (const auto header = records.Header()) {
            PrintOut(*header);
        }
        for (const history::Point& point : store.Range(opened.series->id, from, to, step)) {
            PrintOut(records.Line(point));
        }
        return 0;
    } catch (const history::DatabaseError& error) {
        PrintErr(
            QStringLiteral("error: %1: %2").arg(HistoryPath(), QString::fromUtf8(error.what())));
        return 1;
    }
}

int RunReport(const ReportOptions& options) {
    try {
        OpenedHistory opened = OpenSeries(options.host, options.interface);
        if (!opened.series) {
            return 1;
        }
        HistoryStore& store = *opened.store;
        const std::int64_t id = opened.series->id;
        const history::Period month =
            options.year
                ? history::BillingMonth(*options.year, *options.month, options.billingDay)
                : history::BillingMonthOf(QDateTime::currentMSecsSinceEpoch(), options.billingDay);
        const history::RangeFigures figures = store.Figures(id, month.fromMs, month.toMs);
        PrintOut(QStringLiteral("Host: %1; interface: %2 %3")
                     .arg(options.host)
                     .arg(opened.series->interfaceIndex)
                     .arg(QString::fromStdString(opened.series->interfaceName))
                     .trimmed());
        PrintOut(
            QStringLiteral("Period: %1 to %2").arg(UtcTime(month.fromMs), UtcTime(month.toMs)));
        PrintOut(
            VolumeLine(QStringLiteral("Volume"), store.VolumeOf(id, month.fromMs, month.toMs)));
        PrintOut(FigureLine(QStringLiteral("Average"), figures.in.average, figures.out.average));
        PrintOut(FigureLine(QStringLiteral("Maximum"), figures.in.maximum, figures.out.maximum));
        PrintOut(FigureLine(figures.basis == history::Step::Minute
                                ? QStringLiteral("95th percentile (5-minute averages)")
                                : QStringLiteral("95th percentile (%1 averages)")
                                      .arg(QString::fromLatin1(history::StepName(
                                          figures.basis.value_or(history::Step::Raw)))),
                            figures.in.percentile95, figures.out.percentile95));
        if (const auto busiest = store.BusiestHour(id, month.fromMs, month.toMs)) {
            PrintOut(
                VolumeLine(QStringLiteral("Busiest hour: %1;").arg(UtcTime(busiest->period.fromMs)),
                           busiest->volume));
        } else {
            PrintOut(QStringLiteral("Busiest hour: none"));
        }
        PrintOut(QStringLiteral("Daily volumes:"));
        for (const auto& day : store.DailyVolumes(id, month.fromMs, month.toMs)) {
            PrintOut(VolumeLine(UtcTime(day.period.fromMs).left(10), day.volume));
        }
        return 0;
    } catch (const history::DatabaseError& error) {
        PrintErr(
            QStringLiteral("error: %1: %2").arg(HistoryPath(), QString::fromUtf8(error.what())));
        return 1;
    }
}

}  // namespace pulsewell::cli

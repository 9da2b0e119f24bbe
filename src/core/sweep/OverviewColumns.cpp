#include "core/sweep/OverviewColumns.h"

#include <array>

#include "core/numbers/NumberText.h"
#include "core/text/VisibleText.h"
#include "graph/GraphRound.h"

namespace pulsewell {

namespace {

// Below every measured rate, count or percent, so the unmeasured sort together.
constexpr double kUnmeasured = -1.0;

QString Rate(const std::optional<std::int64_t>& value) {
    return value ? IntegerText(*value) : QStringLiteral("-");
}

// Errors or discards of both directions together.
std::optional<double> Both(const std::optional<double>& in, const std::optional<double>& out) {
    if (!in && !out) {
        return std::nullopt;
    }
    return in.value_or(0.0) + out.value_or(0.0);
}

QString PerSecond(const std::optional<double>& value) {
    return value ? QString::number(*value, 'f', 2) : QStringLiteral("-");
}

QString Percent(const std::optional<double>& value) {
    return value ? QString::number(*value, 'f', 1) : QStringLiteral("-");
}

// sysUpTime's hundredths of a second as "12d 03:04:05".
QString UptimeText(std::int64_t hundredths) {
    const std::int64_t seconds = hundredths / 100;
    const QString clock = QStringLiteral("%1:%2:%3")
                              .arg(seconds / 3600 % 24, 2, 10, QLatin1Char('0'))
                              .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                              .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    const std::int64_t days = seconds / 86400;
    return days > 0 ? QStringLiteral("%1d %2").arg(days).arg(clock) : clock;
}

std::optional<std::int64_t> InRate(const SweepRow& row, bool showBytes) {
    return showBytes ? row.inBytesPerSecond : row.inBitsPerSecond;
}

std::optional<std::int64_t> OutRate(const SweepRow& row, bool showBytes) {
    return showBytes ? row.outBytesPerSecond : row.outBitsPerSecond;
}

double Number(const std::optional<double>& value) {
    return value.value_or(kUnmeasured);
}

double Number(const std::optional<std::int64_t>& value) {
    return value ? static_cast<double>(*value) : kUnmeasured;
}

}  // namespace

QString OverviewColumnTitle(OverviewColumn column, bool showBytes) {
    const QString unit = showBytes ? QStringLiteral("bytes/s") : QStringLiteral("bits/s");
    switch (column) {
        case OverviewColumn::Index:
            return QStringLiteral("Index");
        case OverviewColumn::Name:
            return QStringLiteral("Name");
        case OverviewColumn::Alias:
            return QStringLiteral("Alias");
        case OverviewColumn::Status:
            return QStringLiteral("Status");
        case OverviewColumn::Speed:
            return QStringLiteral("Speed");
        case OverviewColumn::In:
            return QStringLiteral("IN ") + unit;
        case OverviewColumn::Out:
            return QStringLiteral("OUT ") + unit;
        case OverviewColumn::InUtilization:
            return QStringLiteral("IN %");
        case OverviewColumn::OutUtilization:
            return QStringLiteral("OUT %");
        case OverviewColumn::Errors:
            return QStringLiteral("Errors/s");
        case OverviewColumn::Discards:
            return QStringLiteral("Discards/s");
        case OverviewColumn::LastChange:
            return QStringLiteral("Last change");
        case OverviewColumn::State:
            return QStringLiteral("State");
    }
    return {};
}

QString OverviewCellText(const SweepRow& row, OverviewColumn column, bool showBytes) {
    switch (column) {
        case OverviewColumn::Index:
            return QString::number(row.index);
        case OverviewColumn::Name:
            return ShownText(VisibleCell(row.name));
        case OverviewColumn::Alias:
            return ShownText(VisibleCell(row.alias));
        case OverviewColumn::Status: {
            const QString oper = InterfaceStatusText(row.operStatus);
            // An interface switched off says so rather than just "down".
            return row.adminStatus == 2 && row.operStatus != 1
                       ? oper + QStringLiteral(" (admin down)")
                       : oper;
        }
        case OverviewColumn::Speed:
            return row.speed ? ShortRate(*row.speed) : QStringLiteral("-");
        case OverviewColumn::In:
            return Rate(InRate(row, showBytes));
        case OverviewColumn::Out:
            return Rate(OutRate(row, showBytes));
        case OverviewColumn::InUtilization:
            return Percent(row.inUtilization);
        case OverviewColumn::OutUtilization:
            return Percent(row.outUtilization);
        case OverviewColumn::Errors:
            return PerSecond(Both(row.inErrorsPerSecond, row.outErrorsPerSecond));
        case OverviewColumn::Discards:
            return PerSecond(Both(row.inDiscardsPerSecond, row.outDiscardsPerSecond));
        case OverviewColumn::LastChange:
            return row.lastChange ? UptimeText(*row.lastChange) : QStringLiteral("-");
        case OverviewColumn::State:
            return row.state == SweepRowState::Measured ? QString() : SweepRowStateText(row.state);
    }
    return {};
}

QVariant OverviewCellOrder(const SweepRow& row, OverviewColumn column) {
    switch (column) {
        case OverviewColumn::Index:
            return row.index;
        case OverviewColumn::Speed:
            return Number(row.speed);
        case OverviewColumn::In:
            return Number(row.inBitsPerSecond);
        case OverviewColumn::Out:
            return Number(row.outBitsPerSecond);
        case OverviewColumn::InUtilization:
            return Number(row.inUtilization);
        case OverviewColumn::OutUtilization:
            return Number(row.outUtilization);
        case OverviewColumn::Errors:
            return Number(Both(row.inErrorsPerSecond, row.outErrorsPerSecond));
        case OverviewColumn::Discards:
            return Number(Both(row.inDiscardsPerSecond, row.outDiscardsPerSecond));
        case OverviewColumn::LastChange:
            return Number(row.lastChange);
        default:
            return OverviewCellText(row, column, false);
    }
}

std::optional<TColor> UtilizationColor(const SweepRow& row, OverviewColumn column,
                                       const TUtilizationBars& bars) {
    const std::optional<double> percent =
        column == OverviewColumn::InUtilization    ? row.inUtilization
        : column == OverviewColumn::OutUtilization ? row.outUtilization
                                                   : std::nullopt;
    if (!percent) {
        return std::nullopt;
    }
    const std::int64_t rounded = RoundExtended(*percent);
    if (rounded <= bars.LowThreshold) {
        return bars.LowColor;
    }
    return rounded <= bars.HighThreshold ? bars.MidColor : bars.HighColor;
}

namespace {

QString EventText(const SweepEvent& event) {
    return SweepEventText(event, ShownText(VisibleCell(event.name)));
}

}  // namespace

QString OverviewEventLine(const SweepEvent& event) {
    return event.time.toString(QStringLiteral("HH:mm:ss")) + u' ' + EventText(event);
}

TAlarmNotice OverviewEventNotice(const SweepEvent& event, const QString& host) {
    return {EventText(event), QStringLiteral("Host %1: ").arg(ShownText(VisibleCell(host))) +
                                  OverviewEventLine(event)};
}

}  // namespace pulsewell

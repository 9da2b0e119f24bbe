#pragma once

#include <QString>
#include <QVariant>
#include <optional>

#include "core/polling/AlarmNotice.h"
#include "core/sweep/SweepResult.h"
#include "core/trafficgraph/TrafficGraph.h"
#include "graph/ColorValue.h"

namespace pulsewell {

// The columns of the table of every interface, left to right.
enum class OverviewColumn {
    Index,
    Name,
    Alias,
    Status,
    Speed,
    In,
    Out,
    InUtilization,
    OutUtilization,
    Errors,
    Discards,
    LastChange,
    State,
};
inline constexpr int kOverviewColumns = static_cast<int>(OverviewColumn::State) + 1;

// A column's title; the rates' in the unit the options chose.
QString OverviewColumnTitle(OverviewColumn column, bool showBytes);

// What a cell shows: device text escaped, "-" where nothing was measured,
// a row that vanished or did not answer by its state alone.
QString OverviewCellText(const SweepRow& row, OverviewColumn column, bool showBytes);

// What a cell sorts by: a number for the numeric columns (below every
// measured one where none was), the text for the others.
QVariant OverviewCellOrder(const SweepRow& row, OverviewColumn column);

// The colour a utilization cell takes, banded as the utilization bars are:
// at or below the low threshold, up to the high one, above it (the percent
// rounded). None where no utilization was measured.
std::optional<TColor> UtilizationColor(const SweepRow& row, OverviewColumn column,
                                       const TUtilizationBars& bars);

// An event as the window's event list shows it: "17:02:03 Link down: Gi1/0/3
// (ifIndex 3)", the utilization added to a high one.
QString OverviewEventLine(const SweepEvent& event);
// The desktop notice of an event on the host's interface.
TAlarmNotice OverviewEventNotice(const SweepEvent& event, const QString& host);

}  // namespace pulsewell

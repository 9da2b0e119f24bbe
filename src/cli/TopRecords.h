#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

#include "cli/CliArguments.h"
#include "core/sweep/SweepResult.h"

namespace pulsewell::cli {

// The records of top --format csv|json: one per interface per sweep, with
// the fields of poll's records and the sweep's own. Numbers in the C locale;
// what was not measured is empty (CSV) or null (JSON).
class TopRecords {
  public:
    // format is Csv or Json.
    TopRecords(OutputFormat format, const QString& host, int intervalSeconds);

    // The CSV header; JSON Lines have none.
    std::optional<QString> Header() const;
    QString Row(const SweepResult& sweep, const SweepRow& row) const;

  private:
    // The sweep's time as text, made once for all its rows.
    const QString& TimeOf(const QDateTime& time) const;

    OutputFormat format_;
    QString host_;
    int interval_;
    mutable QDateTime time_;
    mutable QString timeText_;
};

// One line of what happened, as top reports events.
QString SweepEventLine(const SweepEvent& event);

}  // namespace pulsewell::cli

#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

#include "cli/CliArguments.h"
#include "core/polling/PollCycle.h"

namespace pulsewell::cli {

// The records of poll --format csv|json: one per measured poll, the totals
// last, with the same fields in both. Numbers in the C locale and both units
// whatever the stored settings say; times in ISO 8601 with their offset.
class PollRecords {
  public:
    // format is Csv or Json.
    PollRecords(OutputFormat format, const QString& host, const QString& interface);

    // The CSV header; JSON Lines have none.
    std::optional<QString> Header() const;
    // bandwidth is the bit rate the utilization was worked out from.
    QString Poll(const PollMeasurement& measurement, int intervalSeconds,
                 std::int64_t bandwidth) const;
    // The bytes counted since polling started.
    QString Totals(const QDateTime& time, int intervalSeconds, std::int64_t in,
                   std::int64_t out) const;

  private:
    struct Value;
    QString Record(const QList<Value>& values) const;

    OutputFormat format_;
    QString host_;
    QString interface_;
};

// A JSON string literal.
QString JsonString(const QString& text);

}  // namespace pulsewell::cli

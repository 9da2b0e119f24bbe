#pragma once

#include <QString>
#include <optional>

#include "cli/CliArguments.h"
#include "history/HistoryStore.h"

namespace pulsewell::cli {

// The lines of history: one per point, in text, CSV (after a header) or JSON
// Lines. Rates in bytes and bits per second, C-locale numbers, times in UTC;
// a gap has empty fields (null in JSON) and says "gap" in text.
class HistoryRecords {
  public:
    HistoryRecords(OutputFormat format, history::Step step);

    std::optional<QString> Header() const;
    QString Line(const history::Point& point) const;

  private:
    OutputFormat format_;
    history::Step step_;
};

// "2026-12-08T09:51:50Z".
QString UtcTime(std::int64_t ms);
// A rate in bytes per second as text: whole numbers without decimals, else two.
QString RateText(double bytesPerSecond);

}  // namespace pulsewell::cli

#include "core/sweep/SweepHistory.h"

namespace pulsewell {

std::vector<history::Reading> SweepReadings(const SweepResult& sweep, const QString& host) {
    std::vector<history::Reading> readings;
    readings.reserve(static_cast<std::size_t>(sweep.rows.size()));
    const std::int64_t timeMs = sweep.ended.toMSecsSinceEpoch();
    const std::string device = host.toStdString();
    for (const SweepRow& row : sweep.rows) {
        if (row.state == SweepRowState::Vanished) {
            continue;
        }
        history::Reading& r = readings.emplace_back();
        r.timeMs = timeMs;
        r.device = device;
        r.interfaceIndex = row.index;
        r.interfaceName = row.name.toStdString();
        r.swept = true;
        r.inBytes = row.inOctets.value_or(0);
        r.outBytes = row.outOctets.value_or(0);
        r.inRate = row.inBytesPerSecond;
        r.outRate = row.outBytesPerSecond;
        r.inErrors = row.inErrorsPerSecond;
        r.outErrors = row.outErrorsPerSecond;
        r.inDiscards = row.inDiscardsPerSecond;
        r.outDiscards = row.outDiscardsPerSecond;
        const bool counted =
            row.state != SweepRowState::Measured && row.state != SweepRowState::NoAnswer;
        r.notes = (row.inWrapped ? history::InWrapped : 0U) |
                  (row.outWrapped ? history::OutWrapped : 0U) |
                  (counted ? history::NotMeasured : 0U);
    }
    return readings;
}

}  // namespace pulsewell

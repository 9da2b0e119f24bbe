#pragma once

#include <array>
#include <memory>

#include "history/Database.h"

namespace pulsewell::history {

// The levels of resolution: raw readings, then the consolidated tables.
inline constexpr int kLevels = 4;
inline constexpr std::array<const char*, kLevels> kTables = {"raw", "minute", "hour", "day"};
inline constexpr std::array<std::int64_t, kLevels> kLevelMs = {0, 60'000, 3'600'000, 86'400'000};

// The open file and every statement prepared once for it.
struct Connection {
    // `file` holds the schema already.
    explicit Connection(std::unique_ptr<Database> file);

    std::unique_ptr<Database> owner;
    Database& db;
    Statement findSeries;
    Statement findSwept;
    Statement insertSeries;
    Statement renameSeries;
    Statement renumberSeries;
    Statement saveSeries;
    Statement loadSeries;
    Statement allSeries;
    Statement insertRaw;
    Statement addMinute;
    Statement insertAlarm;
    Statement alarms;
    Statement pruneRaw;
    Statement rawRange;
    // Per level (index 0 unused where the raw table has its own).
    std::array<std::unique_ptr<Statement>, kLevels> consolidate;
    // The same for a range of one bucket.
    std::array<std::unique_ptr<Statement>, kLevels> consolidateBucket;
    std::array<std::unique_ptr<Statement>, kLevels> prune;
    std::array<std::unique_ptr<Statement>, kLevels> range;
    std::array<std::unique_ptr<Statement>, kLevels> volume;
    std::array<std::unique_ptr<Statement>, kLevels> first;
    std::array<std::unique_ptr<Statement>, kLevels> count;
    std::array<std::unique_ptr<Statement>, kLevels> buckets;
    std::array<std::unique_ptr<Statement>, kLevels> summary;
    Statement busiestHour;
    Statement openHours;
};

}  // namespace pulsewell::history

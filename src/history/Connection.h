#pragma once

#include <array>
#include <memory>

#include "history/Database.h"

namespace pulsewell::history {

// The levels of resolution: raw readings, then the consolidated tables.
inline constexpr int kLevels = 4;
inline constexpr std::array<std::int64_t, kLevels> kLevelMs = {0, 60'000, 3'600'000, 86'400'000};
// Where a level's rows are read: the levels' tables, and swept series'
// minutes from their blocks.
inline constexpr int kSweptMinutes = kLevels;
inline constexpr int kSources = kLevels + 1;
inline constexpr std::array<const char*, kSources> kSourceTables = {"raw", "minute", "hour", "day",
                                                                    "swept_minute"};
// The source of a level's rows for a series.
constexpr int Source(int level, bool swept) {
    return level == 1 && swept ? kSweptMinutes : level;
}

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
    Statement placeInBlock;
    Statement newBlock;
    Statement blockRow;
    Statement writeBlock;
    Statement blockRows;
    Statement lastBlockRow;
    Statement pruneBlock;
    Statement insertSweptHour;
    Statement insertAlarm;
    Statement alarms;
    Statement pruneRaw;
    Statement rawRange;
    // Per level (index 0 unused where the raw table has its own).
    std::array<std::unique_ptr<Statement>, kLevels> consolidate;
    // The same for a range of one bucket.
    std::array<std::unique_ptr<Statement>, kLevels> consolidateBucket;
    std::array<std::unique_ptr<Statement>, kLevels> prune;
    // Per source.
    std::array<std::unique_ptr<Statement>, kSources> range;
    std::array<std::unique_ptr<Statement>, kSources> volume;
    std::array<std::unique_ptr<Statement>, kSources> first;
    std::array<std::unique_ptr<Statement>, kSources> count;
    std::array<std::unique_ptr<Statement>, kSources> buckets;
    std::array<std::unique_ptr<Statement>, kSources> summary;
    Statement busiestHour;
    // The hours still open, from the minutes of a polled and of a swept series.
    Statement openHours;
    Statement openSweptHours;
};

}  // namespace pulsewell::history

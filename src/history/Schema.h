#pragma once

#include <array>

#include "history/Database.h"

namespace pulsewell::history {

// Marks a database as ours, beside SQLite's own header.
inline constexpr std::int64_t kApplicationId = 0x50574c48;  // "PWLH"
inline constexpr std::int64_t kSchemaVersion = 3;

// The errors and discards a second each way, in every table of readings.
inline constexpr std::array<const char*, 4> kFaultColumns = {"in_errors", "out_errors",
                                                             "in_discards", "out_discards"};

// The consolidated tables' columns after series and t, in their order.
inline constexpr int kFigureColumns = 19;
inline constexpr std::array<const char*, kFigureColumns> kFigureColumnNames = {
    "in_count",     "out_count",
    "in_bytes",     "out_bytes",
    "in_avg",       "in_min",
    "in_max",       "out_avg",
    "out_min",      "out_max",
    "in_errors",    "in_errors_count",
    "out_errors",   "out_errors_count",
    "in_discards",  "in_discards_count",
    "out_discards", "out_discards_count",
    "covered_ms"};

// The database's schema version: 0 for an empty file.
std::int64_t SchemaVersion(Database& db);
// Whether the file holds tables while lacking our application id.
bool ForeignDatabase(Database& db);
// Creates the tables of an empty file, or upgrades an older schema in place,
// step by step. A newer schema than this program knows throws.
void PrepareSchema(Database& db);

}  // namespace pulsewell::history

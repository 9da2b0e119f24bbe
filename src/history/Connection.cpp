#include "history/Connection.h"

#include <string>

#include "history/Schema.h"

namespace pulsewell::history {

namespace {

std::unique_ptr<Statement> Prepare(Database& db, const std::string& sql) {
    return std::make_unique<Statement>(db, sql.c_str());
}

// The bucket of a lower level's time in this level.
std::string Bucket(int level) {
    const std::string ms = std::to_string(kLevelMs[static_cast<std::size_t>(level)]);
    return "(t / " + ms + ") * " + ms;
}

// Each level from the one below: counts and bytes add up, averages weigh by
// the readings behind them. `oneBucket`: [?2, ?3) is one bucket, and an
// aggregate without GROUP BY spares the sort; no rows, no bucket.
std::string ConsolidateSql(int level, bool oneBucket) {
    const std::string table = kTables[static_cast<std::size_t>(level)];
    std::string columns =
        "series, t, in_count, out_count, in_bytes, out_bytes, in_avg, in_min, in_max, out_avg, "
        "out_min, out_max";
    std::string faults;
    for (const std::string column : kFaultColumns) {
        columns += ", " + column + ", " + column + "_count";
        faults += level == 1 ? ", avg(" + column + "), count(" + column + ")"
                             : ", sum(" + column + " * " + column + "_count) / nullif(sum(" +
                                   column + "_count), 0), sum(" + column + "_count)";
    }
    columns += ", covered_ms";
    faults += level == 1 ? ", NULL" : ", sum(covered_ms)";
    const std::string values =
        level == 1
            ? "count(in_rate), count(out_rate), sum(in_bytes), sum(out_bytes), avg(in_rate), "
              "min(in_rate), max(in_rate), avg(out_rate), min(out_rate), max(out_rate)"
            : "sum(in_count), sum(out_count), sum(in_bytes), sum(out_bytes), "
              "sum(in_avg * in_count) / nullif(sum(in_count), 0), min(in_min), max(in_max), "
              "sum(out_avg * out_count) / nullif(sum(out_count), 0), min(out_min), "
              "max(out_max)";
    const std::string select =
        "SELECT series, " + (oneBucket ? "?2" : Bucket(level)) + ", " + values + faults + " FROM " +
        kTables[static_cast<std::size_t>(level - 1)] + " WHERE series = ?1 AND t >= ?2 AND t < ?3";
    const std::string into = "INSERT OR REPLACE INTO " + table + " (" + columns + ") ";
    if (oneBucket) {
        return into + "SELECT * FROM (" + select + ") WHERE series IS NOT NULL";
    }
    return into + select + " GROUP BY t / " +
           std::to_string(kLevelMs[static_cast<std::size_t>(level)]);
}

// The four fault columns, as a list to select.
std::string FaultList() {
    std::string list;
    for (const std::string column : kFaultColumns) {
        list += ", " + column;
    }
    return list;
}

// A swept interface's minute, added to what an earlier run of the same
// minute left: averages weigh by the time each covers where it has a value.
std::string AddMinuteSql() {
    const auto weighted = [](const std::string& value) {
        const auto time = [&](const std::string& row) {
            return "iif(" + row + value + " IS NULL, 0, " + row + "covered_ms)";
        };
        return value + " = (coalesce(" + value + " * covered_ms, 0) + coalesce(excluded." + value +
               " * excluded.covered_ms, 0)) / nullif(" + time("") + " + " + time("excluded.") +
               ", 0)";
    };
    const auto either = [](const std::string& f, const std::string& column) {
        return column + " = " + f + "(coalesce(" + column + ", excluded." + column +
               "), coalesce(excluded." + column + ", " + column + "))";
    };
    const auto sum = [](const std::string& column) {
        return column + " = coalesce(" + column + ", 0) + excluded." + column;
    };
    std::string columns = "series, t, covered_ms";
    std::string updates = sum("covered_ms");
    for (const std::string side : {"in", "out"}) {
        columns += ", " + side + "_count, " + side + "_bytes, " + side + "_avg, " + side +
                   "_min, " + side + "_max";
        updates += ", " + weighted(side + "_avg") + ", " + sum(side + "_count") + ", " +
                   sum(side + "_bytes") + ", " + either("min", side + "_min") + ", " +
                   either("max", side + "_max");
    }
    for (const std::string column : kFaultColumns) {
        columns += ", " + column + ", " + column + "_count";
        updates += ", " + weighted(column) + ", " + sum(column + "_count");
    }
    std::string values = "?1";
    for (int i = 2; i <= 21; ++i) {
        values += ", ?" + std::to_string(i);
    }
    return "INSERT INTO minute (" + columns + ") VALUES (" + values +
           ") ON CONFLICT (series, t) DO UPDATE SET " + updates;
}

const char* const kRange = " WHERE series = ?1 AND t >= ?2 AND t < ?3";

}  // namespace

Connection::Connection(std::unique_ptr<Database> file)
    : owner(std::move(file)),
      db(*owner),
      findSeries(db,
                 "SELECT id, ifname, minute_until, hour_until, day_until, pruned_until "
                 "FROM series WHERE device = ?1 AND ifindex = ?2 AND swept = 0"),
      findSwept(db,
                "SELECT id, ifindex, minute_until, hour_until, day_until, pruned_until "
                "FROM series WHERE device = ?1 AND ifname = ?2 AND swept = 1"),
      insertSeries(db,
                   "INSERT INTO series (device, ifindex, ifname, swept) VALUES (?1, ?2, ?3, ?4)"),
      renameSeries(db, "UPDATE series SET ifname = ?2 WHERE id = ?1"),
      renumberSeries(db, "UPDATE series SET ifindex = ?2 WHERE id = ?1"),
      saveSeries(db,
                 "UPDATE series SET minute_until = ?2, hour_until = ?3, day_until = ?4, "
                 "pruned_until = ?5 WHERE id = ?1"),
      // A swept series' minutes are written without marking it: its last
      // minute row tells.
      loadSeries(db,
                 "SELECT id, ifname, max(minute_until, coalesce((SELECT max(t) + 60000 FROM "
                 "minute WHERE series = ?1), 0)), hour_until, day_until, pruned_until, swept "
                 "FROM series WHERE id = ?1"),
      allSeries(db,
                "SELECT id, device, ifindex, ifname, swept FROM series ORDER BY device, ifindex"),
      insertRaw(db,
                "INSERT OR REPLACE INTO raw (series, t, in_counter, out_counter, in_bytes, "
                "out_bytes, in_rate, out_rate, notes) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"),
      addMinute(db, AddMinuteSql().c_str()),
      insertAlarm(db, "INSERT OR IGNORE INTO alarm VALUES (?1, ?2)"),
      alarms(db, "SELECT t FROM alarm WHERE series = ?1 AND t >= ?2 AND t < ?3 ORDER BY t"),
      pruneRaw(db,
               "DELETE FROM raw WHERE series = ?1 AND t >= ?2 AND t < ?3 AND NOT EXISTS ("
               "SELECT 1 FROM alarm WHERE alarm.series = ?1 "
               "AND alarm.t BETWEEN raw.t - 600000 AND raw.t + 600000)"),
      rawRange(db, ("SELECT t, in_rate, out_rate, in_rate, in_rate, out_rate, out_rate, in_bytes, "
                    "out_bytes, (in_rate IS NOT NULL OR out_rate IS NOT NULL), notes" +
                    FaultList() + " FROM raw WHERE series = ?1 AND t >= ?2 AND t < ?3 ORDER BY t")
                       .c_str()),
      busiestHour(db,
                  "SELECT t, in_bytes, out_bytes FROM hour WHERE series = ?1 AND t >= ?2 AND "
                  "t < ?3 ORDER BY in_bytes + out_bytes DESC, t LIMIT 1"),
      openHours(db,
                "SELECT (t / 3600000) * 3600000 AS h, sum(in_bytes), sum(out_bytes) FROM minute "
                "WHERE series = ?1 AND t >= ?2 AND t < ?3 GROUP BY h "
                "ORDER BY sum(in_bytes) + sum(out_bytes) DESC, h LIMIT 1") {
    for (int level = 0; level < kLevels; ++level) {
        const auto i = static_cast<std::size_t>(level);
        const std::string table = kTables[i];
        first[i] = Prepare(db, "SELECT min(t) FROM " + table + " WHERE series = ?1");
        count[i] = Prepare(db, "SELECT count(*) FROM " + table + kRange);
        volume[i] =
            Prepare(db, "SELECT sum(in_bytes), sum(out_bytes), count(*) FROM " + table + kRange);
        if (level == 0) {
            buckets[i] = Prepare(db, "SELECT in_rate, out_rate FROM raw" + std::string(kRange));
            summary[i] = Prepare(db,
                                 "SELECT avg(in_rate), max(in_rate), avg(out_rate), "
                                 "max(out_rate) FROM raw" +
                                     std::string(kRange));
            continue;
        }
        consolidate[i] = Prepare(db, ConsolidateSql(level, false));
        consolidateBucket[i] = Prepare(db, ConsolidateSql(level, true));
        prune[i] = Prepare(db, "DELETE FROM " + table + " WHERE series = ?1 AND t < ?2");
        range[i] = Prepare(db,
                           "SELECT t, in_avg, out_avg, in_min, in_max, out_min, out_max, "
                           "in_bytes, out_bytes, max(in_count, out_count), 0" +
                               FaultList() + " FROM " + table + kRange + " ORDER BY t");
        summary[i] = Prepare(db,
                             "SELECT sum(in_avg * in_count) / nullif(sum(in_count), 0), "
                             "max(in_max), sum(out_avg * out_count) / nullif(sum(out_count), 0), "
                             "max(out_max) FROM " +
                                 table + kRange);
        // Minute rows give the billing convention's 5-minute averages.
        buckets[i] = Prepare(
            db, level == 1 ? "SELECT sum(in_avg * in_count) / nullif(sum(in_count), 0), "
                             "sum(out_avg * out_count) / nullif(sum(out_count), 0) FROM minute" +
                                 std::string(kRange) + " GROUP BY t / 300000"
                           : "SELECT in_avg, out_avg FROM " + table + kRange);
    }
}

}  // namespace pulsewell::history

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

// A consolidated table's columns, as a list to insert into.
std::string FigureColumnList() {
    std::string list = "series, t";
    for (const char* column : kFigureColumnNames) {
        list += std::string(", ") + column;
    }
    return list;
}

// Each level from the one below: counts and bytes add up, averages weigh by
// the readings behind them. `oneBucket`: [?2, ?3) is one bucket, and an
// aggregate without GROUP BY spares the sort; no rows, no bucket.
std::string ConsolidateSql(int level, bool oneBucket) {
    const std::string table = kSourceTables[static_cast<std::size_t>(level)];
    std::string faults;
    for (const std::string column : kFaultColumns) {
        faults += level == 1 ? ", avg(" + column + "), count(" + column + ")"
                             : ", sum(" + column + " * " + column + "_count) / nullif(sum(" +
                                   column + "_count), 0), sum(" + column + "_count)";
    }
    faults += level == 1 ? ", NULL" : ", sum(covered_ms)";
    const std::string values =
        level == 1
            ? "count(in_rate), count(out_rate), sum(in_bytes), sum(out_bytes), avg(in_rate), "
              "min(in_rate), max(in_rate), avg(out_rate), min(out_rate), max(out_rate)"
            : "sum(in_count), sum(out_count), sum(in_bytes), sum(out_bytes), "
              "sum(in_avg * in_count) / nullif(sum(in_count), 0), min(in_min), max(in_max), "
              "sum(out_avg * out_count) / nullif(sum(out_count), 0), min(out_min), "
              "max(out_max)";
    const std::string select = "SELECT series, " + (oneBucket ? "?2" : Bucket(level)) + ", " +
                               values + faults + " FROM " +
                               kSourceTables[static_cast<std::size_t>(level - 1)] +
                               " WHERE series = ?1 AND t >= ?2 AND t < ?3";
    const std::string into = "INSERT OR REPLACE INTO " + table + " (" + FigureColumnList() + ") ";
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

// A swept series' hour, from its minutes added up in the program.
std::string InsertSweptHourSql() {
    std::string values = "?1, ?2";
    for (std::size_t i = 0; i < kFigureColumnNames.size(); ++i) {
        values += ", ?" + std::to_string(i + 3);
    }
    return "INSERT OR REPLACE INTO hour (" + FigureColumnList() + ") VALUES (" + values + ")";
}

// The busiest of the hours still open, from their minutes.
std::string OpenHoursSql(const std::string& table) {
    return "SELECT (t / 3600000) * 3600000 AS h, sum(in_bytes), sum(out_bytes) FROM " + table +
           " WHERE series = ?1 AND t >= ?2 AND t < ?3 GROUP BY h "
           "ORDER BY sum(in_bytes) + sum(out_bytes) DESC, h LIMIT 1";
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
                "SELECT id, ifindex, minute_until, hour_until, day_until, pruned_until, block, "
                "place FROM series WHERE device = ?1 AND ifname = ?2 AND swept = 1"),
      insertSeries(db,
                   "INSERT INTO series (device, ifindex, ifname, swept, block, place) "
                   "VALUES (?1, ?2, ?3, ?4, ?5, ?6)"),
      renameSeries(db, "UPDATE series SET ifname = ?2 WHERE id = ?1"),
      renumberSeries(db, "UPDATE series SET ifindex = ?2 WHERE id = ?1"),
      saveSeries(db,
                 "UPDATE series SET minute_until = ?2, hour_until = ?3, day_until = ?4, "
                 "pruned_until = ?5 WHERE id = ?1"),
      loadSeries(db,
                 "SELECT id, ifname, minute_until, hour_until, day_until, pruned_until, swept, "
                 "block, place FROM series WHERE id = ?1"),
      allSeries(db,
                "SELECT id, device, ifindex, ifname, swept FROM series ORDER BY device, ifindex"),
      insertRaw(db,
                "INSERT OR REPLACE INTO raw (series, t, in_counter, out_counter, in_bytes, "
                "out_bytes, in_rate, out_rate, notes) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"),
      // The last block of the device, and the last place taken in it.
      placeInBlock(db,
                   "SELECT block, max(place) FROM series WHERE swept = 1 AND device = ?1 AND "
                   "block = (SELECT max(block) FROM series WHERE swept = 1 AND device = ?1)"),
      newBlock(db, "SELECT coalesce(max(block), 0) + 1 FROM series"),
      blockRow(db, "SELECT data FROM swept_block WHERE id = ?1"),
      writeBlock(db, "INSERT OR REPLACE INTO swept_block (id, data) VALUES (?1, ?2)"),
      blockRows(db, "SELECT id, data FROM swept_block WHERE id >= ?1 AND id < ?2 ORDER BY id"),
      lastBlockRow(db, "SELECT max(id) FROM swept_block WHERE id >= ?1 AND id < ?2"),
      pruneBlock(db, "DELETE FROM swept_block WHERE id >= ?1 AND id < ?2"),
      insertSweptHour(db, InsertSweptHourSql().c_str()),
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
      openHours(db, OpenHoursSql("minute").c_str()),
      openSweptHours(db, OpenHoursSql("swept_minute").c_str()) {
    for (int source = 0; source < kSources; ++source) {
        const auto i = static_cast<std::size_t>(source);
        const int level = source == kSweptMinutes ? 1 : source;
        const std::string table = kSourceTables[i];
        // In time order, so that swept minutes stop at their first row.
        first[i] = Prepare(db, "SELECT t FROM " + table + " WHERE series = ?1 ORDER BY t LIMIT 1");
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
        if (source != kSweptMinutes) {
            consolidate[i] = Prepare(db, ConsolidateSql(level, false));
            consolidateBucket[i] = Prepare(db, ConsolidateSql(level, true));
            prune[i] = Prepare(db, "DELETE FROM " + table + " WHERE series = ?1 AND t < ?2");
        }
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
        buckets[i] =
            Prepare(db, level == 1 ? "SELECT sum(in_avg * in_count) / nullif(sum(in_count), 0), "
                                     "sum(out_avg * out_count) / nullif(sum(out_count), 0) FROM " +
                                         table + kRange + " GROUP BY t / 300000"
                                   : "SELECT in_avg, out_avg FROM " + table + kRange);
    }
}

}  // namespace pulsewell::history

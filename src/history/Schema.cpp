#include "history/Schema.h"

#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "history/SweptBlock.h"

namespace pulsewell::history {

namespace {

// Times: raw readings in milliseconds, consolidated rows by the second their
// bucket starts. Series ids stand for the repeated device and interface text.
// WITHOUT ROWID tables keyed by (series, time) keep each row in one place.
const char* const kVersion1 = R"(
CREATE TABLE schema_version (version INTEGER NOT NULL);
CREATE TABLE series (
    id INTEGER PRIMARY KEY,
    device TEXT NOT NULL,
    ifindex INTEGER NOT NULL,
    ifname TEXT NOT NULL DEFAULT '',
    minute_until INTEGER NOT NULL DEFAULT 0,
    hour_until INTEGER NOT NULL DEFAULT 0,
    day_until INTEGER NOT NULL DEFAULT 0,
    pruned_until INTEGER NOT NULL DEFAULT 0,
    UNIQUE (device, ifindex));
CREATE TABLE raw (
    series INTEGER NOT NULL, t INTEGER NOT NULL,
    in_counter INTEGER, out_counter INTEGER,
    in_bytes INTEGER, out_bytes INTEGER,
    in_rate INTEGER, out_rate INTEGER,
    notes INTEGER NOT NULL,
    PRIMARY KEY (series, t)) WITHOUT ROWID;
CREATE TABLE alarm (
    series INTEGER NOT NULL, t INTEGER NOT NULL,
    PRIMARY KEY (series, t)) WITHOUT ROWID;
)";

std::string ConsolidatedTable(const std::string& name) {
    return "CREATE TABLE " + name +
           " (series INTEGER NOT NULL, t INTEGER NOT NULL,"
           " in_count INTEGER NOT NULL, out_count INTEGER NOT NULL,"
           " in_bytes INTEGER, out_bytes INTEGER,"
           " in_avg REAL, in_min INTEGER, in_max INTEGER,"
           " out_avg REAL, out_min INTEGER, out_max INTEGER,"
           " PRIMARY KEY (series, t)) WITHOUT ROWID;";
}

void CreateVersion1(Database& db) {
    db.Execute(kVersion1);
    for (const char* table : {"minute", "hour", "day"}) {
        db.Execute(ConsolidatedTable(table));
    }
    db.Execute("INSERT INTO schema_version VALUES (0)");
}

// Swept interfaces are kept by their name, whatever index the device gives
// them; polled ones stay kept by their index. SQLite cannot drop the old
// constraint in place: the table is copied, ids and all.
const char* const kVersion2 = R"(
CREATE TABLE series_2 (
    id INTEGER PRIMARY KEY,
    device TEXT NOT NULL,
    ifindex INTEGER NOT NULL,
    ifname TEXT NOT NULL DEFAULT '',
    minute_until INTEGER NOT NULL DEFAULT 0,
    hour_until INTEGER NOT NULL DEFAULT 0,
    day_until INTEGER NOT NULL DEFAULT 0,
    pruned_until INTEGER NOT NULL DEFAULT 0,
    swept INTEGER NOT NULL DEFAULT 0);
INSERT INTO series_2 (id, device, ifindex, ifname, minute_until, hour_until, day_until,
    pruned_until)
    SELECT id, device, ifindex, ifname, minute_until, hour_until, day_until, pruned_until
    FROM series;
DROP TABLE series;
ALTER TABLE series_2 RENAME TO series;
CREATE UNIQUE INDEX polled_series ON series (device, ifindex) WHERE swept = 0;
CREATE UNIQUE INDEX swept_series ON series (device, ifname) WHERE swept = 1;
)";

// Errors and discards a second, as sweeps read them: a reading's own, and
// each bucket's average with the readings behind it. Swept interfaces start
// at the minute level.
void AddVersion2(Database& db) {
    db.Execute(kVersion2);
    for (const char* column : kFaultColumns) {
        db.Execute(std::string("ALTER TABLE raw ADD COLUMN ") + column + " REAL");
        for (const char* table : {"minute", "hour", "day"}) {
            db.Execute(std::string("ALTER TABLE ") + table + " ADD COLUMN " + column + " REAL");
            db.Execute(std::string("ALTER TABLE ") + table + " ADD COLUMN " + column +
                       "_count INTEGER NOT NULL DEFAULT 0");
        }
    }
    // The time a swept interface's minute covers: less where it was cut short.
    for (const char* table : {"minute", "hour", "day"}) {
        db.Execute(std::string("ALTER TABLE ") + table + " ADD COLUMN covered_ms INTEGER");
    }
}

// Swept interfaces' minutes a block of interfaces to a row (SweptBlock.h);
// each swept series has its block and place in it.
const char* const kVersion3 = R"(
ALTER TABLE series ADD COLUMN block INTEGER;
ALTER TABLE series ADD COLUMN place INTEGER;
CREATE INDEX series_block ON series (device, block) WHERE swept = 1;
CREATE TABLE swept_block (id INTEGER PRIMARY KEY, data BLOB NOT NULL);
)";

// One side of a minute row as the sweeps' figures behind it. The row keeps
// the average, not the time: that is the bytes over the average, or where
// nothing was counted the row's time.
MinuteDirection SideOfRow(Statement& row, int column, std::int64_t rowCoveredMs) {
    MinuteDirection d;
    d.sweeps = row.Integer(column);
    d.bytes = row.Integer(column + 1);
    if (const auto average = row.OptionalReal(column + 2)) {
        d.coveredMs = *average > 0.0
                          ? std::llround(static_cast<double>(d.bytes) * 1000.0 / *average)
                          : rowCoveredMs;
    }
    d.least = row.OptionalInteger(column + 3).value_or(0);
    d.most = row.OptionalInteger(column + 4).value_or(0);
    return d;
}

void AddVersion3(Database& db) {
    db.Execute(kVersion3);
    std::vector<std::pair<std::int64_t, std::string>> swept;
    {
        Statement all(db, "SELECT id, device FROM series WHERE swept = 1 ORDER BY device, id");
        while (all.Step()) {
            swept.emplace_back(all.Integer(0), all.Text(1));
        }
    }
    Statement place(db, "UPDATE series SET block = ?2, place = ?3 WHERE id = ?1");
    std::int64_t block = 0;
    int next = kBlockPlaces;
    for (std::size_t i = 0; i < swept.size(); ++i) {
        if (next == kBlockPlaces || swept[i].second != swept[i - 1].second) {
            ++block;
            next = 0;
        }
        place.Bind(1, swept[i].first).Bind(2, block).Bind(3, std::int64_t{next++}).Run();
    }
    // A block's minutes one after the other, each written once complete.
    Statement rows(db,
                   "SELECT s.block, s.place, m.t, m.covered_ms, m.in_count, m.in_bytes, m.in_avg, "
                   "m.in_min, m.in_max, m.out_count, m.out_bytes, m.out_avg, m.out_min, m.out_max, "
                   "m.in_errors, m.in_errors_count, m.out_errors, m.out_errors_count, "
                   "m.in_discards, m.in_discards_count, m.out_discards, m.out_discards_count "
                   "FROM minute m JOIN series s ON s.id = m.series WHERE s.swept = 1 "
                   "ORDER BY s.block, m.t");
    Statement write(db, "INSERT INTO swept_block (id, data) VALUES (?1, ?2)");
    std::int64_t rowId = 0;
    BlockMinute minute;
    const auto flush = [&] {
        if (rowId != 0) {
            write.Bind(1, rowId).Bind(2, minute.Encode()).Run();
        }
        minute = BlockMinute();
    };
    while (rows.Step()) {
        if (const std::int64_t id = BlockRowId(rows.Integer(0), rows.Integer(2)); id != rowId) {
            flush();
            rowId = id;
        }
        const std::int64_t covered = rows.Integer(3);
        SweptFigures figures{SideOfRow(rows, 4, covered), SideOfRow(rows, 9, covered)};
        // Faults a second back to the faults of the time covered.
        int column = 14;
        for (auto [amount, sweeps, side] :
             {std::tuple{&figures.in.errors, &figures.in.errorSweeps, &figures.in},
              std::tuple{&figures.out.errors, &figures.out.errorSweeps, &figures.out},
              std::tuple{&figures.in.discards, &figures.in.discardSweeps, &figures.in},
              std::tuple{&figures.out.discards, &figures.out.discardSweeps, &figures.out}}) {
            *amount = rows.OptionalReal(column).value_or(0.0) *
                      static_cast<double>(side->coveredMs) / 1000.0;
            *sweeps = rows.Integer(column + 1);
            column += 2;
        }
        minute.Add(static_cast<int>(rows.Integer(1)), figures);
    }
    flush();
    db.Execute("DELETE FROM minute WHERE series IN (SELECT id FROM series WHERE swept = 1)");
}

// upgrades[n] turns schema n into n + 1.
const std::vector<std::function<void(Database&)>> kUpgrades = {CreateVersion1, AddVersion2,
                                                               AddVersion3};

}  // namespace

std::int64_t SchemaVersion(Database& db) {
    Statement table(db, "SELECT 1 FROM sqlite_master WHERE name = 'schema_version'");
    if (!table.Step()) {
        return 0;
    }
    Statement version(db, "SELECT max(version) FROM schema_version");
    return version.Step() ? version.Integer(0) : 0;
}

bool ForeignDatabase(Database& db) {
    // One statement, one snapshot: read apart, another program's first
    // commit could fall between the id and the tables, and a new history
    // would pass for a foreign file.
    Statement look(db,
                   "SELECT (SELECT application_id FROM pragma_application_id),"
                   " (SELECT count(*) FROM sqlite_master)");
    return look.Step() && look.Integer(0) != kApplicationId && look.Integer(1) > 0;
}

void PrepareSchema(Database& db) {
    Transaction transaction(db);
    std::int64_t version = SchemaVersion(db);
    if (version > kSchemaVersion) {
        throw DatabaseError(
            0, "written by a newer Pulsewell (schema " + std::to_string(version) + ")");
    }
    for (; version < kSchemaVersion; ++version) {
        kUpgrades[static_cast<std::size_t>(version)](db);
        db.Execute("UPDATE schema_version SET version = " + std::to_string(version + 1));
    }
    db.Execute("PRAGMA application_id = " + std::to_string(kApplicationId));
    transaction.Commit();
}

}  // namespace pulsewell::history

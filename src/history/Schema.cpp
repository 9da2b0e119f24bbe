#include "history/Schema.h"

#include <functional>
#include <string>
#include <vector>

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

// upgrades[n] turns schema n into n + 1.
const std::vector<std::function<void(Database&)>> kUpgrades = {CreateVersion1, AddVersion2};

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

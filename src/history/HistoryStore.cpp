#include "history/HistoryStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

#include "history/Connection.h"
#include "history/Schema.h"

namespace pulsewell::history {

namespace {

// "20261208T161500", UTC.
std::string Stamp(std::int64_t ms) {
    const std::time_t seconds = static_cast<std::time_t>(FloorTo(ms, 1000) / 1000);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%S", &utc);
    return text;
}

}  // namespace

HistoryStore::HistoryStore(std::string path, Retention retention, Reporter reporter, Clock clock)
    : path_(std::move(path)),
      retention_(retention),
      reporter_(std::move(reporter)),
      clock_(std::move(clock)) {
    Open();
}

HistoryStore::~HistoryStore() = default;

std::int64_t HistoryStore::SystemClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool HistoryStore::Usable() const {
    return connection_ != nullptr;
}

Connection& HistoryStore::Db() {
    if (!connection_) {
        throw DatabaseError(SQLITE_CANTOPEN, "the history file " + path_ + " is not open");
    }
    return *connection_;
}

void HistoryStore::Report(const std::string& text) {
    if (!failing_ && reporter_) {
        reporter_(text);
    }
    failing_ = true;
}

// Turning a new file's journal into a log takes the write lock from inside a
// read: two programs opening the file at once each wait for the other, and
// SQLite gives one of them up at once instead of calling its busy handler.
// That one tries again once the other is through.
static void UseWriteAheadLog(Database& db) {
    for (int attempt = 1;; ++attempt) {
        try {
            db.Execute("PRAGMA journal_mode = WAL");
            return;
        } catch (const DatabaseError& error) {
            if ((error.Code() & 0xff) != SQLITE_BUSY || attempt == 500) {
                throw;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

void HistoryStore::OpenFile() {
    auto db = std::make_unique<Database>(path_);
    sqlite3_busy_timeout(db->Handle(), 10'000);
    if (ForeignDatabase(*db)) {
        throw DatabaseError(SQLITE_NOTADB, "not a Pulsewell history database");
    }
    {
        Statement check(*db, "PRAGMA quick_check");
        if (check.Step() && check.Text(0) != "ok") {
            throw DatabaseError(SQLITE_CORRUPT, check.Text(0));
        }
    }
    // WAL: a reader never blocks the writer, and a crash loses at most the
    // transaction being written; NORMAL syncs at checkpoints only, which a
    // killed process cannot undo.
    UseWriteAheadLog(*db);
    db->Execute("PRAGMA synchronous = NORMAL");
    // A minute of sweeps touches a page per interface. Held here, those pages
    // would grow the program by 4 KiB an interface over hours; the system's
    // file cache gives them back at a read each. Copy them back from the
    // journal after many minutes rather than after each one.
    db->Execute("PRAGMA cache_size = -1024");
    db->Execute("PRAGMA wal_autocheckpoint = 10000");
    db->Execute("PRAGMA journal_size_limit = 67108864");
    PrepareSchema(*db);
    connection_ = std::make_unique<Connection>(std::move(db));
    CatchUp();
}

void HistoryStore::Open() {
    std::string damage;
    try {
        OpenFile();
        return;
    } catch (const DatabaseError& error) {
        connection_.reset();
        if (!error.Damaged()) {
            Report("History not recorded: " + path_ + ": " + error.what());
            return;
        }
        damage = error.what();
    }
    MoveAside(damage);
}

void HistoryStore::MoveAside(const std::string& why) {
    connection_.reset();
    swept_.clear();
    const std::string aside = path_ + ".corrupt-" + Stamp(SystemClockMs());
    if (std::rename(path_.c_str(), aside.c_str()) != 0) {
        Report("History not recorded: " + path_ + " is damaged (" + why +
               ") and cannot be moved aside");
        return;
    }
    // The journal belongs to the old file: a new one must not replay it.
    for (const char* suffix : {"-wal", "-shm"}) {
        std::rename((path_ + suffix).c_str(), (aside + suffix).c_str());
    }
    if (reporter_) {
        reporter_("History file " + path_ + " is not a Pulsewell history or is damaged (" + why +
                  "): moved to " + aside + ", a new one started");
    }
    try {
        OpenFile();
    } catch (const DatabaseError& error) {
        connection_.reset();
        Report("History not recorded: " + path_ + ": " + error.what());
    }
}

void HistoryStore::Record(const Reading& reading) {
    Write([&] { WriteOne(reading); });
}

void HistoryStore::Record(const std::vector<Reading>& readings) {
    Write([&] {
        for (const Reading& reading : readings) {
            WriteOne(reading);
        }
    });
}

void HistoryStore::Record(const std::vector<SweptMinute>& minutes) {
    Write([&] {
        for (const SweptMinute& minute : minutes) {
            WriteMinute(minute);
        }
    });
}

void HistoryStore::Write(const std::function<void()>& body) {
    if (!connection_) {
        return;
    }
    try {
        Transaction transaction(connection_->db);
        body();
        transaction.Commit();
        failing_ = false;
    } catch (const DatabaseError& error) {
        // What the cache learnt in the transaction was rolled back with it.
        swept_.clear();
        if (error.Damaged()) {
            MoveAside(error.what());
        } else {
            Report("History not recorded: " + path_ + ": " + error.what());
        }
    }
}

HistoryStore::SeriesState HistoryStore::SeriesFor(const std::string& device,
                                                  std::int64_t interfaceIndex,
                                                  const std::string& interfaceName, bool swept) {
    Connection& c = *connection_;
    // A polled interface is found by its index and takes a name it learns;
    // a swept one is found by its name and takes the index it moved to.
    Statement& find = swept ? c.findSwept : c.findSeries;
    find.Bind(1, device);
    if (swept) {
        find.Bind(2, interfaceName);
    } else {
        find.Bind(2, interfaceIndex);
    }
    if (!find.Step()) {
        c.insertSeries.Bind(1, device)
            .Bind(2, interfaceIndex)
            .Bind(3, interfaceName)
            .Bind(4, std::int64_t{swept})
            .Run();
        return SeriesState{sqlite3_last_insert_rowid(c.db.Handle()), 0, 0, 0, 0, swept};
    }
    SeriesState series{find.Integer(0), find.Integer(2), find.Integer(3),
                       find.Integer(4), find.Integer(5), swept};
    const bool moved = swept ? find.Integer(1) != interfaceIndex
                             : !interfaceName.empty() && find.Text(1) != interfaceName;
    find.Run();
    if (moved && swept) {
        c.renumberSeries.Bind(1, series.id).Bind(2, interfaceIndex).Run();
    } else if (moved) {
        c.renameSeries.Bind(1, series.id).Bind(2, interfaceName).Run();
    }
    return series;
}

void HistoryStore::SaveSeries(const SeriesState& s) {
    connection_->saveSeries.Bind(1, s.id)
        .Bind(2, s.minuteUntil)
        .Bind(3, s.hourUntil)
        .Bind(4, s.dayUntil)
        .Bind(5, s.prunedUntil)
        .Run();
}

HistoryStore::SeriesState HistoryStore::LoadSeries(std::int64_t seriesId) {
    Statement& load = Db().loadSeries;
    load.Bind(1, seriesId);
    SeriesState series{seriesId};
    if (load.Step()) {
        series = {seriesId,        load.Integer(2), load.Integer(3),
                  load.Integer(4), load.Integer(5), load.Integer(6) != 0};
        load.Run();
    }
    return series;
}

void HistoryStore::WriteOne(const Reading& r) {
    SeriesState series = SeriesFor(r.device, r.interfaceIndex, r.interfaceName, false);
    connection_->insertRaw.Bind(1, series.id)
        .Bind(2, r.timeMs)
        .Bind(3, r.inCounter)
        .Bind(4, r.outCounter)
        .Bind(5, r.inBytes)
        .Bind(6, r.outBytes)
        .Bind(7, r.inRate)
        .Bind(8, r.outRate)
        .Bind(9, static_cast<std::int64_t>(r.notes))
        .Run();
    const std::int64_t minute = FloorTo(r.timeMs, kMinuteMs);
    if (series.minuteUntil == 0) {
        series.minuteUntil = minute;
        series.hourUntil = FloorTo(minute, kHourMs);
        series.dayUntil = FloorTo(minute, kDayMs);
        SaveSeries(series);
    } else if (minute < series.minuteUntil) {
        Reconsolidate(series, minute);
    } else if (minute > series.minuteUntil) {
        CloseMinutes(series, minute, r.timeMs);
    }
}

void HistoryStore::WriteMinute(const SweptMinute& m) {
    Connection& c = *connection_;
    const std::string key = m.device + '\0' + m.interfaceName;
    auto found = swept_.find(key);
    if (found == swept_.end()) {
        const SeriesState series = SeriesFor(m.device, m.interfaceIndex, m.interfaceName, true);
        found = swept_.emplace(key, SweptSeries{series, m.interfaceIndex}).first;
    } else if (found->second.interfaceIndex != m.interfaceIndex) {
        c.renumberSeries.Bind(1, found->second.state.id).Bind(2, m.interfaceIndex).Run();
        found->second.interfaceIndex = m.interfaceIndex;
    }
    SeriesState& series = found->second.state;
    c.addMinute.Bind(1, series.id)
        .Bind(2, m.minuteMs)
        .Bind(3, std::max(m.in.coveredMs, m.out.coveredMs));
    int column = 4;
    for (const MinuteDirection* d : {&m.in, &m.out}) {
        const bool read = d->coveredMs > 0;
        c.addMinute.Bind(column, d->sweeps)
            .Bind(column + 1, d->bytes)
            .Bind(column + 2, read ? std::optional(static_cast<double>(d->bytes) * 1000.0 /
                                                   static_cast<double>(d->coveredMs))
                                   : std::nullopt)
            .Bind(column + 3, read ? std::optional(d->least) : std::nullopt)
            .Bind(column + 4, read ? std::optional(d->most) : std::nullopt);
        column += 5;
    }
    // Per second of the time the sweeps that read them cover.
    const auto perSecond = [](double events, std::int64_t sweeps, std::int64_t coveredMs) {
        return sweeps > 0 && coveredMs > 0
                   ? std::optional(events * 1000.0 / static_cast<double>(coveredMs))
                   : std::nullopt;
    };
    c.addMinute.Bind(14, perSecond(m.in.errors, m.in.errorSweeps, m.in.coveredMs))
        .Bind(15, m.in.errorSweeps)
        .Bind(16, perSecond(m.out.errors, m.out.errorSweeps, m.out.coveredMs))
        .Bind(17, m.out.errorSweeps)
        .Bind(18, perSecond(m.in.discards, m.in.discardSweeps, m.in.coveredMs))
        .Bind(19, m.in.discardSweeps)
        .Bind(20, perSecond(m.out.discards, m.out.discardSweeps, m.out.coveredMs))
        .Bind(21, m.out.discardSweeps)
        .Run();
    const std::int64_t next = m.minuteMs + kMinuteMs;
    if (series.minuteUntil == 0) {
        series.minuteUntil = next;
        series.hourUntil = FloorTo(m.minuteMs, kHourMs);
        series.dayUntil = FloorTo(m.minuteMs, kDayMs);
        SaveSeries(series);
    } else if (FloorTo(m.minuteMs, kHourMs) < series.hourUntil) {
        Reconsolidate(series, m.minuteMs);
    } else if (FloorTo(next, kHourMs) > series.hourUntil) {
        // Hours, days and pruning once an hour; within it, the minute in memory.
        CloseMinutes(series, next, next);
    } else {
        series.minuteUntil = std::max(series.minuteUntil, next);
    }
}

void HistoryStore::Consolidate(int level, std::int64_t seriesId, std::int64_t fromMs,
                               std::int64_t toMs) {
    const auto i = static_cast<std::size_t>(level);
    Statement& consolidate = toMs - fromMs == kLevelMs[i] && fromMs % kLevelMs[i] == 0
                                 ? *connection_->consolidateBucket[i]
                                 : *connection_->consolidate[i];
    consolidate.Bind(1, seriesId).Bind(2, fromMs).Bind(3, toMs).Run();
}

// A swept series has no raw readings: its minutes come whole.
void HistoryStore::CloseMinutes(SeriesState& s, std::int64_t minuteMs, std::int64_t nowMs) {
    if (!s.swept) {
        Consolidate(1, s.id, s.minuteUntil, minuteMs);
    }
    s.minuteUntil = minuteMs;
    if (const std::int64_t hour = FloorTo(minuteMs, kHourMs); hour > s.hourUntil) {
        Consolidate(2, s.id, s.hourUntil, hour);
        s.hourUntil = hour;
    }
    if (const std::int64_t day = FloorTo(s.hourUntil, kDayMs); day > s.dayUntil) {
        Consolidate(3, s.id, s.dayUntil, day);
        s.dayUntil = day;
    }
    Prune(s, nowMs);
    SaveSeries(s);
}

// A reading older than what was consolidated (another writer's, or a clock
// set back): its buckets are worked out again.
void HistoryStore::Reconsolidate(const SeriesState& s, std::int64_t minuteMs) {
    if (!s.swept) {
        Consolidate(1, s.id, minuteMs, minuteMs + kMinuteMs);
    }
    if (const std::int64_t hour = FloorTo(minuteMs, kHourMs); hour < s.hourUntil) {
        Consolidate(2, s.id, hour, hour + kHourMs);
    }
    if (const std::int64_t day = FloorTo(minuteMs, kDayMs); day < s.dayUntil) {
        Consolidate(3, s.id, day, day + kDayMs);
    }
}

void HistoryStore::Prune(SeriesState& s, std::int64_t nowMs) {
    Connection& c = *connection_;
    const std::int64_t rawCut = nowMs - retention_.rawHours * kHourMs;
    if (!s.swept && rawCut > s.prunedUntil) {
        c.pruneRaw.Bind(1, s.id).Bind(2, s.prunedUntil).Bind(3, rawCut).Run();
        s.prunedUntil = rawCut;
    }
    const std::int64_t minuteDays = s.swept ? retention_.sweptMinuteDays : retention_.minuteDays;
    c.prune[1]->Bind(1, s.id).Bind(2, nowMs - minuteDays * kDayMs).Run();
    c.prune[2]->Bind(1, s.id).Bind(2, nowMs - retention_.hourDays * kDayMs).Run();
}

// What closed while no program recorded is consolidated and pruned at once.
void HistoryStore::CatchUp() {
    const std::int64_t now = clock_();
    Transaction transaction(connection_->db);
    for (const Series& series : AllSeries()) {
        SeriesState state = LoadSeries(series.id);
        if (state.minuteUntil != 0 && FloorTo(now, kMinuteMs) > state.minuteUntil) {
            CloseMinutes(state, FloorTo(now, kMinuteMs), now);
        }
    }
    transaction.Commit();
}

void HistoryStore::MarkAlarm(const std::string& device, std::int64_t interfaceIndex,
                             std::int64_t timeMs) {
    if (!connection_) {
        return;
    }
    try {
        Transaction transaction(connection_->db);
        connection_->insertAlarm.Bind(1, SeriesFor(device, interfaceIndex, {}, false).id)
            .Bind(2, timeMs)
            .Run();
        transaction.Commit();
    } catch (const DatabaseError& error) {
        Report("History not recorded: " + path_ + ": " + error.what());
    }
}

}  // namespace pulsewell::history

#include "history/HistoryStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <span>
#include <thread>
#include <tuple>

#include "history/Connection.h"
#include "history/Schema.h"
#include "history/SweptMinuteTable.h"

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

// A swept series' block and place as the file holds them; one no writer
// gives means the file was bent, and it goes aside as a damaged one.
std::pair<std::int64_t, int> PlaceOf(std::int64_t block, std::int64_t place) {
    if (block < 1 || block > kLastBlock || place < 0 || place >= kBlockPlaces) {
        throw DatabaseError(SQLITE_CORRUPT, "a swept interface without a valid place in its block");
    }
    return {block, static_cast<int>(place)};
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
    // A minute of sweeps touches a page per block of interfaces, the hour's
    // close a page per interface. Held here, those pages would grow the
    // program by 4 KiB an interface over hours; the system's file cache gives
    // them back at a read each. Copy them back from the journal after many
    // minutes rather than after each one.
    db->Execute("PRAGMA cache_size = -128");
    db->Execute("PRAGMA wal_autocheckpoint = 10000");
    db->Execute("PRAGMA journal_size_limit = 67108864");
    PrepareSchema(*db);
    db->Check(RegisterSweptMinuteTable(db->Handle()));
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
    Write([&] { WriteMinutes(minutes); });
}

void HistoryStore::Record(const SweptMinuteRuns& runs) {
    Write([&] {
        std::vector<SweptMinute> run;
        while (runs(run)) {
            WriteMinutes(run);
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
        SeriesState series{0, 0, 0, 0, 0, swept};
        std::optional<std::int64_t> block;
        std::optional<std::int64_t> place;
        if (swept) {
            std::tie(series.block, series.place) = NextPlace(device);
            block = series.block;
            place = series.place;
        }
        c.insertSeries.Bind(1, device)
            .Bind(2, interfaceIndex)
            .Bind(3, interfaceName)
            .Bind(4, std::int64_t{swept})
            .Bind(5, block)
            .Bind(6, place)
            .Run();
        series.id = sqlite3_last_insert_rowid(c.db.Handle());
        return series;
    }
    SeriesState series{find.Integer(0), find.Integer(2), find.Integer(3),
                       find.Integer(4), find.Integer(5), swept};
    if (swept) {
        std::tie(series.block, series.place) = PlaceOf(find.Integer(6), find.Integer(7));
    }
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

std::pair<std::int64_t, int> HistoryStore::NextPlace(const std::string& device) {
    Connection& c = *connection_;
    c.placeInBlock.Bind(1, device);
    std::optional<std::pair<std::int64_t, int>> next;
    if (c.placeInBlock.Step() && !c.placeInBlock.Null(0) &&
        c.placeInBlock.Integer(1) + 1 < kBlockPlaces) {
        next = {c.placeInBlock.Integer(0), static_cast<int>(c.placeInBlock.Integer(1)) + 1};
    }
    c.placeInBlock.Run();
    if (next) {
        return *next;
    }
    c.newBlock.Step();
    const std::int64_t block = c.newBlock.Integer(0);
    c.newBlock.Run();
    return {block, 0};
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
        if (series.swept) {
            std::tie(series.block, series.place) = PlaceOf(load.Integer(7), load.Integer(8));
        }
        load.Run();
    }
    // A swept series' minutes are written without marking it: its block's
    // last row tells.
    if (series.swept) {
        Statement& last = Db().lastBlockRow;
        last.Bind(1, BlockRowsBegin(series.block)).Bind(2, BlockRowsEnd(series.block));
        if (last.Step() && !last.Null(0)) {
            series.minuteUntil =
                std::max(series.minuteUntil, BlockRowMinuteMs(last.Integer(0)) + kMinuteMs);
        }
        last.Run();
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

HistoryStore::SweptSeries& HistoryStore::SweptSeriesOf(SweptDevice& device, const SweptMinute& m) {
    auto found = device.find(m.interfaceName);
    if (found == device.end()) {
        const SeriesState series = SeriesFor(m.device, m.interfaceIndex, m.interfaceName, true);
        found = device.emplace(m.interfaceName, SweptSeries{series, m.interfaceIndex}).first;
    } else if (found->second.interfaceIndex != m.interfaceIndex) {
        connection_->renumberSeries.Bind(1, found->second.state.id).Bind(2, m.interfaceIndex).Run();
        found->second.interfaceIndex = m.interfaceIndex;
    }
    return found->second;
}

void HistoryStore::WriteMinutes(const std::vector<SweptMinute>& minutes) {
    // Each minute written, by its series.
    std::vector<std::pair<SeriesState*, std::int64_t>> written;
    written.reserve(minutes.size());
    // The minutes come in the order their interfaces were first seen, as
    // their places were given: a block's row is written as its run of
    // minutes ends. A block whose minutes come apart is written twice, the
    // second adding to the first as another run's minute would.
    std::optional<std::int64_t> rowId;
    BlockMinute row;
    SweptDevice* device = nullptr;
    const std::string* deviceName = nullptr;
    for (const SweptMinute& m : minutes) {
        // A clock thousands of years off has no row to go to.
        if (m.minuteMs < -kFarthestBlockMs || m.minuteMs >= kFarthestBlockMs) {
            continue;
        }
        // A minute's interfaces are mostly of one device: it is looked up once.
        if (device == nullptr || m.device != *deviceName) {
            device = &swept_[m.device];
            deviceName = &m.device;
        }
        SeriesState& state = SweptSeriesOf(*device, m).state;
        const std::int64_t id = BlockRowId(state.block, m.minuteMs);
        if (rowId && *rowId != id) {
            WriteBlock(*rowId, row);
            row = BlockMinute();
        }
        rowId = id;
        row.Add(state.place, {m.in, m.out});
        written.emplace_back(&state, m.minuteMs);
    }
    if (rowId) {
        WriteBlock(*rowId, row);
    }
    std::vector<HourSpan> closing;
    for (const auto& [series, minuteMs] : written) {
        if (AdvanceSwept(*series, minuteMs)) {
            closing.push_back({series, series->hourUntil, FloorTo(series->minuteUntil, kHourMs)});
        }
    }
    // The hour closes for a whole device at once: a block's rows are read
    // once for all its interfaces. Spans keep their order within a block, so
    // that an interface with two minutes here ends at the later hour.
    std::ranges::stable_sort(closing, {}, [](const HourSpan& span) { return span.series->block; });
    for (auto run = closing.begin(); run != closing.end();) {
        const auto end = std::find_if(run, closing.end(), [&](const HourSpan& span) {
            return span.series->block != run->series->block;
        });
        ConsolidateSweptHours({run, end});
        run = end;
    }
    for (const HourSpan& span : closing) {
        span.series->hourUntil = span.toMs;
        CloseDays(*span.series, span.series->minuteUntil);
    }
}

void HistoryStore::WriteBlock(std::int64_t rowId, const BlockMinute& minute) {
    Connection& c = *connection_;
    c.blockRow.Bind(1, rowId);
    BlockMinute stored;
    if (c.blockRow.Step()) {
        stored = BlockMinute::Decode(c.blockRow.Blob(0));
        c.blockRow.Run();
    }
    stored.Add(minute);
    c.writeBlock.Bind(1, rowId).Bind(2, stored.Encode()).Run();
}

bool HistoryStore::AdvanceSwept(SeriesState& series, std::int64_t minuteMs) {
    const std::int64_t next = minuteMs + kMinuteMs;
    if (series.minuteUntil == 0) {
        series.minuteUntil = next;
        series.hourUntil = FloorTo(minuteMs, kHourMs);
        series.dayUntil = FloorTo(minuteMs, kDayMs);
        SaveSeries(series);
    } else if (FloorTo(minuteMs, kHourMs) < series.hourUntil) {
        Reconsolidate(series, minuteMs);
    } else if (FloorTo(next, kHourMs) > series.hourUntil) {
        // Hours, days and pruning once an hour; within it, the minute in memory.
        series.minuteUntil = next;
        return true;
    } else {
        series.minuteUntil = std::max(series.minuteUntil, next);
    }
    return false;
}

void HistoryStore::Consolidate(int level, std::int64_t seriesId, std::int64_t fromMs,
                               std::int64_t toMs) {
    const auto i = static_cast<std::size_t>(level);
    Statement& consolidate = toMs - fromMs == kLevelMs[i] && fromMs % kLevelMs[i] == 0
                                 ? *connection_->consolidateBucket[i]
                                 : *connection_->consolidate[i];
    consolidate.Bind(1, seriesId).Bind(2, fromMs).Bind(3, toMs).Run();
}

void HistoryStore::ConsolidateHours(SeriesState& s, std::int64_t fromMs, std::int64_t toMs) {
    if (s.swept) {
        ConsolidateSweptHours(std::array{HourSpan{&s, fromMs, toMs}});
    } else {
        Consolidate(2, s.id, fromMs, toMs);
    }
}

// Adding the minutes up here spares SQL's aggregates a call per column and
// minute: averages weigh by the time covered, as the minutes' own do.
void HistoryStore::ConsolidateSweptHours(std::span<const HourSpan> spans) {
    Connection& c = *connection_;
    // The hour each span is adding up.
    struct Open {
        std::optional<SweptFigures> figures;
        std::int64_t hourMs = 0;
    };
    std::vector<Open> open(spans.size());
    const auto write = [&](const HourSpan& span, Open& hour) {
        if (!hour.figures) {
            return;
        }
        c.insertSweptHour.Bind(1, span.series->id).Bind(2, hour.hourMs);
        int parameter = 3;
        for (const ColumnValue& value : FigureColumns(*hour.figures)) {
            c.insertSweptHour.Bind(parameter++, value);
        }
        c.insertSweptHour.Run();
        hour.figures.reset();
    };
    std::int64_t from = spans.front().fromMs;
    std::int64_t to = spans.front().toMs;
    for (const HourSpan& span : spans) {
        from = std::min(from, span.fromMs);
        to = std::max(to, span.toMs);
    }
    Statement& rows = c.blockRows;
    const std::int64_t block = spans.front().series->block;
    rows.Bind(1, BlockRowId(block, from)).Bind(2, BlockRowId(block, to));
    while (rows.Step()) {
        const std::int64_t minuteMs = BlockRowMinuteMs(rows.Integer(0));
        const std::int64_t hourMs = FloorTo(minuteMs, kHourMs);
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const HourSpan& span = spans[i];
            if (minuteMs < span.fromMs || minuteMs >= span.toMs) {
                continue;
            }
            const auto figures = BlockMinute::DecodePlace(rows.Blob(1), span.series->place);
            if (!figures) {
                continue;
            }
            Open& hour = open[i];
            if (hour.figures && hour.hourMs != hourMs) {
                write(span, hour);
            }
            hour.hourMs = hourMs;
            if (hour.figures) {
                AddTo(*hour.figures, *figures);
            } else {
                hour.figures = figures;
            }
        }
    }
    for (std::size_t i = 0; i < spans.size(); ++i) {
        write(spans[i], open[i]);
    }
}

// A swept series has no raw readings: its minutes come whole.
void HistoryStore::CloseMinutes(SeriesState& s, std::int64_t minuteMs, std::int64_t nowMs) {
    if (!s.swept) {
        Consolidate(1, s.id, s.minuteUntil, minuteMs);
    }
    s.minuteUntil = minuteMs;
    if (const std::int64_t hour = FloorTo(minuteMs, kHourMs); hour > s.hourUntil) {
        ConsolidateHours(s, s.hourUntil, hour);
        s.hourUntil = hour;
    }
    CloseDays(s, nowMs);
}

void HistoryStore::CloseDays(SeriesState& s, std::int64_t nowMs) {
    if (const std::int64_t day = FloorTo(s.hourUntil, kDayMs); day > s.dayUntil) {
        Consolidate(3, s.id, s.dayUntil, day);
        s.dayUntil = day;
    }
    Prune(s, nowMs);
    SaveSeries(s);
}

// A reading older than what was consolidated (another writer's, or a clock
// set back): its buckets are worked out again.
void HistoryStore::Reconsolidate(SeriesState& s, std::int64_t minuteMs) {
    if (!s.swept) {
        Consolidate(1, s.id, minuteMs, minuteMs + kMinuteMs);
    }
    if (const std::int64_t hour = FloorTo(minuteMs, kHourMs); hour < s.hourUntil) {
        ConsolidateHours(s, hour, hour + kHourMs);
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
    if (s.swept) {
        const std::int64_t cut = CeilTo(nowMs - retention_.sweptMinuteDays * kDayMs, kMinuteMs);
        c.pruneBlock.Bind(1, BlockRowsBegin(s.block)).Bind(2, BlockRowId(s.block, cut)).Run();
    } else {
        c.prune[1]->Bind(1, s.id).Bind(2, nowMs - retention_.minuteDays * kDayMs).Run();
    }
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

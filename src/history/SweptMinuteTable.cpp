#include "history/SweptMinuteTable.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>

#include "history/Calendar.h"
#include "history/SweptBlock.h"

namespace pulsewell::history {

namespace {

constexpr int kSeriesColumn = 0;
constexpr int kTimeColumn = 1;

// Which bounds on t a plan hands to Filter, after the series: the queries'
// `t >= ?` and `t < ?`. Other comparisons SQLite checks itself.
enum Bound { kFrom = 1, kUntil = 2 };

struct Table : sqlite3_vtab {
    sqlite3* db = nullptr;
};

struct Cursor : sqlite3_vtab_cursor {
    sqlite3_stmt* placeOf = nullptr;
    sqlite3_stmt* rows = nullptr;
    std::int64_t series = 0;
    int place = 0;
    std::int64_t rowId = 0;
    std::array<ColumnValue, kFigureColumns> columns;
    bool end = true;
};

sqlite3* DbOf(sqlite3_vtab_cursor* cursor) {
    return static_cast<Table*>(cursor->pVtab)->db;
}

int Fail(sqlite3_vtab_cursor* cursor, int code) {
    sqlite3_free(cursor->pVtab->zErrMsg);
    cursor->pVtab->zErrMsg = sqlite3_mprintf("%s", sqlite3_errmsg(DbOf(cursor)));
    return code;
}

int Connect(sqlite3* db, void*, int, const char* const*, sqlite3_vtab** out, char**) {
    std::string schema = "CREATE TABLE x(series INTEGER, t INTEGER";
    for (const char* column : kFigureColumnNames) {
        schema += std::string(", ") + column;
    }
    schema += ")";
    if (const int code = sqlite3_declare_vtab(db, schema.c_str()); code != SQLITE_OK) {
        return code;
    }
    auto* table = new Table();
    table->db = db;
    *out = table;
    return SQLITE_OK;
}

int Disconnect(sqlite3_vtab* table) {
    delete static_cast<Table*>(table);
    return SQLITE_OK;
}

// The series must be named; a range of t narrows the rows read.
int BestIndex(sqlite3_vtab*, sqlite3_index_info* info) {
    int series = -1;
    int from = -1;
    int until = -1;
    int bounds = 0;
    for (int i = 0; i < info->nConstraint; ++i) {
        const auto& constraint = info->aConstraint[i];
        if (!constraint.usable) {
            continue;
        }
        const unsigned char op = constraint.op;
        if (constraint.iColumn == kSeriesColumn && op == SQLITE_INDEX_CONSTRAINT_EQ) {
            series = i;
        } else if (constraint.iColumn == kTimeColumn && from < 0 &&
                   op == SQLITE_INDEX_CONSTRAINT_GE) {
            from = i;
            bounds |= kFrom;
        } else if (constraint.iColumn == kTimeColumn && until < 0 &&
                   op == SQLITE_INDEX_CONSTRAINT_LT) {
            until = i;
            bounds |= kUntil;
        }
    }
    if (series < 0) {
        return SQLITE_CONSTRAINT;
    }
    int argument = 1;
    for (const int i : {series, from, until}) {
        if (i >= 0) {
            info->aConstraintUsage[i].argvIndex = argument++;
            info->aConstraintUsage[i].omit = 1;
        }
    }
    info->idxNum = bounds;
    info->estimatedRows = from >= 0 || until >= 0 ? 1000 : 100000;
    info->estimatedCost = static_cast<double>(info->estimatedRows);
    // Rows come in time order.
    if (info->nOrderBy == 1 && info->aOrderBy[0].iColumn == kTimeColumn &&
        !info->aOrderBy[0].desc) {
        info->orderByConsumed = 1;
    }
    return SQLITE_OK;
}

int Open(sqlite3_vtab* table, sqlite3_vtab_cursor** out) {
    auto* cursor = new Cursor();
    sqlite3* db = static_cast<Table*>(table)->db;
    int code = sqlite3_prepare_v2(
        db, "SELECT block, place FROM series WHERE id = ?1 AND swept = 1 AND block IS NOT NULL", -1,
        &cursor->placeOf, nullptr);
    if (code == SQLITE_OK) {
        code = sqlite3_prepare_v2(
            db, "SELECT id, data FROM swept_block WHERE id >= ?1 AND id < ?2 ORDER BY id", -1,
            &cursor->rows, nullptr);
    }
    if (code != SQLITE_OK) {
        sqlite3_finalize(cursor->placeOf);
        sqlite3_finalize(cursor->rows);
        delete cursor;
        return code;
    }
    *out = cursor;
    return SQLITE_OK;
}

int Close(sqlite3_vtab_cursor* base) {
    auto* cursor = static_cast<Cursor*>(base);
    sqlite3_finalize(cursor->placeOf);
    sqlite3_finalize(cursor->rows);
    delete cursor;
    return SQLITE_OK;
}

// On to the next minute the series' place was swept in.
int Next(sqlite3_vtab_cursor* base) {
    auto* cursor = static_cast<Cursor*>(base);
    for (;;) {
        const int code = sqlite3_step(cursor->rows);
        if (code == SQLITE_DONE) {
            cursor->end = true;
            return SQLITE_OK;
        }
        if (code != SQLITE_ROW) {
            cursor->end = true;
            return Fail(base, code);
        }
        const auto* data = static_cast<const unsigned char*>(sqlite3_column_blob(cursor->rows, 1));
        const auto size = static_cast<std::size_t>(sqlite3_column_bytes(cursor->rows, 1));
        if (const auto figures = BlockMinute::DecodePlace({data, size}, cursor->place)) {
            cursor->rowId = sqlite3_column_int64(cursor->rows, 0);
            cursor->columns = FigureColumns(*figures);
            return SQLITE_OK;
        }
    }
}

int Filter(sqlite3_vtab_cursor* base, int bounds, const char*, int, sqlite3_value** argv) {
    auto* cursor = static_cast<Cursor*>(base);
    cursor->end = true;
    sqlite3_reset(cursor->rows);
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        return SQLITE_OK;
    }
    cursor->series = sqlite3_value_int64(argv[0]);
    const auto time = [](sqlite3_value* value) {
        return std::clamp<std::int64_t>(sqlite3_value_int64(value), -kFarthestBlockMs,
                                        kFarthestBlockMs);
    };
    int argument = 1;
    const std::int64_t from = bounds & kFrom ? time(argv[argument++]) : -kFarthestBlockMs;
    const std::int64_t until = bounds & kUntil ? time(argv[argument++]) : kFarthestBlockMs;
    sqlite3_bind_int64(cursor->placeOf, 1, cursor->series);
    const int code = sqlite3_step(cursor->placeOf);
    if (code != SQLITE_ROW) {
        sqlite3_reset(cursor->placeOf);
        return code == SQLITE_DONE ? SQLITE_OK : Fail(base, code);
    }
    const std::int64_t block = sqlite3_column_int64(cursor->placeOf, 0);
    cursor->place = sqlite3_column_int(cursor->placeOf, 1);
    sqlite3_reset(cursor->placeOf);
    // Minutes start on the minute: the first at or after `from`, the first at or after `until`.
    sqlite3_bind_int64(cursor->rows, 1, BlockRowId(block, CeilTo(from, kMinuteMs)));
    sqlite3_bind_int64(cursor->rows, 2, BlockRowId(block, CeilTo(until, kMinuteMs)));
    cursor->end = false;
    return Next(base);
}

int End(sqlite3_vtab_cursor* base) {
    return static_cast<Cursor*>(base)->end ? 1 : 0;
}

int Column(sqlite3_vtab_cursor* base, sqlite3_context* context, int column) {
    const auto* cursor = static_cast<Cursor*>(base);
    if (column == kSeriesColumn) {
        sqlite3_result_int64(context, cursor->series);
    } else if (column == kTimeColumn) {
        sqlite3_result_int64(context, BlockRowMinuteMs(cursor->rowId));
    } else {
        const ColumnValue& value = cursor->columns.at(static_cast<std::size_t>(column - 2));
        if (const auto* integer = std::get_if<std::int64_t>(&value)) {
            sqlite3_result_int64(context, *integer);
        } else if (const auto* real = std::get_if<double>(&value)) {
            sqlite3_result_double(context, *real);
        } else {
            sqlite3_result_null(context);
        }
    }
    return SQLITE_OK;
}

int RowId(sqlite3_vtab_cursor* base, sqlite3_int64* rowId) {
    *rowId = static_cast<Cursor*>(base)->rowId;
    return SQLITE_OK;
}

sqlite3_module MakeModule() {
    sqlite3_module module{};
    // No xCreate: the table exists on every connection it is registered on.
    module.xConnect = Connect;
    module.xBestIndex = BestIndex;
    module.xDisconnect = Disconnect;
    module.xOpen = Open;
    module.xClose = Close;
    module.xFilter = Filter;
    module.xNext = Next;
    module.xEof = End;
    module.xColumn = Column;
    module.xRowid = RowId;
    return module;
}

}  // namespace

int RegisterSweptMinuteTable(sqlite3* db) {
    static const sqlite3_module module = MakeModule();
    return sqlite3_create_module(db, "swept_minute", &module, nullptr);
}

}  // namespace pulsewell::history

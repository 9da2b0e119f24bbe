#pragma once

struct sqlite3;

namespace pulsewell::history {

// Makes `swept_minute` readable on the connection: the minutes of one swept
// series from its block rows, with the minute table's columns, so that every
// query of minutes reads swept series as it reads polled ones. A query must
// name the series (`series = ?`); `t` ranges are read from the rows they
// cover only. Returns SQLite's result code.
int RegisterSweptMinuteTable(sqlite3* db);

}  // namespace pulsewell::history

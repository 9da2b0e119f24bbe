#include "InterfaceTable.h"

#include <algorithm>

namespace pulsewell {

namespace {
QStringList EmptyRow() { return QStringList(InterfaceTable::kColumns, QString()); }
}  // namespace

InterfaceTable::InterfaceTable(QObject* parent) : QObject(parent) { rows_ = {EmptyRow(), EmptyRow()}; }

void InterfaceTable::SetRowCount(int rows) {
    rows = std::max(rows, 1);
    rows_.resize(rows, EmptyRow());
    emit Changed();
}

QString InterfaceTable::Cell(int column, int row) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= kColumns) {
        return {};
    }
    return rows_[row][column];
}

void InterfaceTable::SetCell(int column, int row, const QString& text) {
    if (row < 0 || column < 0 || column >= kColumns) {
        return;
    }
    if (row >= RowCount()) {
        rows_.resize(row + 1, EmptyRow());
    }
    rows_[row][column] = text;
    emit Changed();
}

void InterfaceTable::WriteTitles() {
    rows_[0] = {"Interface", "Description", "Speed",       "Duplex", "MAC Address",
                "MTU",       "AdminStatus", "OperStatus", "ifType"};
    emit Changed();
}

void InterfaceTable::ClearDataCells() {
    for (int row = 1; row < RowCount(); ++row) {
        rows_[row] = EmptyRow();
    }
    emit Changed();
}

}  // namespace pulsewell

#include "core/discovery/InterfaceTable.h"

#include <algorithm>

#include "core/text/VisibleText.h"

namespace pulsewell {

namespace {
QStringList EmptyRow() {
    return QStringList(InterfaceTable::kColumns, QString());
}
}  // namespace

InterfaceTable::InterfaceTable(QObject* parent) : QObject(parent) {
    rows_ = {EmptyRow(), EmptyRow()};
}

void InterfaceTable::SetRowCount(int rows) {
    rows = std::max(rows, 1);
    const int old = RowCount();
    rows_.resize(rows, EmptyRow());
    emit Changed(std::min(old, rows), std::max(old, rows) - 1);
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
    rows_[row][column] = VisibleCell(text);
    emit Changed(row, row);
}

void InterfaceTable::WriteTitles() {
    rows_[0] = {"Interface", "Description", "Speed",      "Duplex", "MAC Address",
                "MTU",       "AdminStatus", "OperStatus", "ifType"};
    emit Changed(0, 0);
}

void InterfaceTable::ClearDataCells() {
    for (int row = 1; row < RowCount(); ++row) {
        rows_[row] = EmptyRow();
    }
    emit Changed(1, RowCount() - 1);
}

QStringList InterfaceTable::ExportLines() const {
    QStringList lines;
    for (const QStringList& row : rows_) {
        QString line;
        for (const QString& cell : row) {
            line += cell + QStringLiteral("; ");
        }
        lines.append(line);
    }
    return lines;
}

}  // namespace pulsewell

#include "app/InterfaceGrid.h"

#include <QHeaderView>
#include <algorithm>

namespace pulsewell {

namespace {
constexpr int kColumnWidths[InterfaceTable::kColumns] = {57, 216, 74, 56, 102, 53, 67, 69, 133};
constexpr int kRowHeight = 16;
// The widths were chosen for a small, narrow 8-point system font; in the
// desktop's usual font the speed, MAC and type texts would be cut.
constexpr int kFontPixels = 11;
}  // namespace

InterfaceGrid::InterfaceGrid(const InterfaceTable& table, QWidget* parent)
    : QTableWidget(parent), table_(table) {
    QFont small = font();
    small.setPixelSize(kFontPixels);
    small.setStretch(QFont::Condensed);
    setFont(small);
    horizontalHeader()->setFont(small);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);  // what fits, as in a plain grid
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setColumnCount(InterfaceTable::kColumns);
    for (int c = 0; c < InterfaceTable::kColumns; ++c) {
        setColumnWidth(c, kColumnWidths[c]);
    }
    connect(&table_, &InterfaceTable::Changed, this, &InterfaceGrid::ShowRows);
    ShowRows(0, table_.RowCount() - 1);
}

// Table row r is grid row r - 1; row 0 holds the titles.
void InterfaceGrid::ShowRows(int firstRow, int lastRow) {
    setRowCount(table_.RowCount() - 1);
    lastRow = std::min(lastRow, table_.RowCount() - 1);
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = 0; c < InterfaceTable::kColumns; ++c) {
            QTableWidgetItem* item = r == 0 ? horizontalHeaderItem(c) : this->item(r - 1, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                if (r == 0) {
                    setHorizontalHeaderItem(c, item);
                } else {
                    setItem(r - 1, c, item);
                }
            }
            item->setText(table_.Cell(c, r));
        }
    }
}

}  // namespace pulsewell

#include "app/AllInterfacesModel.h"

#include <QColor>

#include "core/sweep/OverviewColumns.h"
#include "graph/GraphColor.h"

namespace pulsewell {

void AllInterfacesModel::ShowRows(const QList<SweepRow>& rows) {
    if (rows.size() == rows_.size()) {
        // Same shape: the view keeps its selection and scroll position.
        rows_ = rows;
        if (!rows_.isEmpty()) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        }
        return;
    }
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

void AllInterfacesModel::SetLook(bool showBytes, const TUtilizationBars& bars) {
    if (showBytes == showBytes_ && bars == bars_) {
        return;
    }
    showBytes_ = showBytes;
    bars_ = bars;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (!rows_.isEmpty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
}

int AllInterfacesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int AllInterfacesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kOverviewColumns;
}

QVariant AllInterfacesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size()) {
        return {};
    }
    const SweepRow& row = rows_[index.row()];
    const auto column = static_cast<OverviewColumn>(index.column());
    switch (role) {
        case Qt::DisplayRole:
            return OverviewCellText(row, column, showBytes_);
        case kOrderRole:
            return OverviewCellOrder(row, column);
        case kIndexRole:
            return row.index;
        case Qt::BackgroundRole:
            if (const auto color = UtilizationColor(row, column, bars_)) {
                return QColor(ToQColor(*color));
            }
            return {};
        case Qt::ForegroundRole:
            // Light text on a dark threshold colour, dark text on the rest.
            if (const auto color = UtilizationColor(row, column, bars_)) {
                return QColor(ToQColor(*color)).lightness() < 96 ? QColor(Qt::white)
                                                                 : QColor(Qt::black);
            }
            return {};
        case Qt::TextAlignmentRole:
            return OverviewCellOrder(row, column).typeId() == QMetaType::QString
                       ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                       : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant AllInterfacesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < kOverviewColumns) {
        return OverviewColumnTitle(static_cast<OverviewColumn>(section), showBytes_);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

}  // namespace pulsewell

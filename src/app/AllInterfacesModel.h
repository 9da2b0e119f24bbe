#pragma once

#include <QAbstractTableModel>
#include <QList>

#include "core/sweep/SweepResult.h"
#include "core/trafficgraph/TrafficGraph.h"

namespace pulsewell {

// The rows of the last sweep as a table: cells as OverviewColumns words
// them, the utilization cells coloured by the thresholds, and kOrderRole
// giving the value a column sorts by.
class AllInterfacesModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kOrderRole = Qt::UserRole;
    // The interface's ifIndex, whatever the column.
    static constexpr int kIndexRole = Qt::UserRole + 1;

    explicit AllInterfacesModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void ShowRows(const QList<SweepRow>& rows);
    // The unit and the colours of the options.
    void SetLook(bool showBytes, const TUtilizationBars& bars);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    QList<SweepRow> rows_;
    bool showBytes_ = false;
    TUtilizationBars bars_;
};

}  // namespace pulsewell

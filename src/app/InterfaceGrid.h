#pragma once

#include <QTableWidget>

#include "core/discovery/InterfaceTable.h"

namespace pulsewell {

// The read-only grid that shows the monitor's interface table: the title row
// as column headers, one grid row per data row. The user can widen and narrow
// columns but not edit cells.
class InterfaceGrid : public QTableWidget {
    Q_OBJECT
  public:
    InterfaceGrid(const InterfaceTable& table, QWidget* parent = nullptr);

  private:
    void ShowRows(int firstRow, int lastRow);

    const InterfaceTable& table_;
};

}  // namespace pulsewell

#pragma once

#include <QWidget>

#include "app/DesktopNotifier.h"
#include "core/sweep/InterfaceSweeper.h"

class QComboBox;
class QLabel;
class QListWidget;
class QSortFilterProxyModel;
class QTableView;

namespace pulsewell {

class AllInterfacesModel;
class Monitor;

// Every interface of the monitor's device at once: a sortable table swept at
// the window's own interval, the link and utilization events under it, each
// also a desktop notice. Sweeps run while the window is open.
class AllInterfacesWindow : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kIntervals[] = {1, 3, 6, 15, 30, 60};
    static constexpr int kDefaultInterval = 6;

    AllInterfacesWindow(Monitor& monitor, DesktopNotifier& notifier, QWidget* parent = nullptr);

    // Shows the window and sweeps the monitor's host with the options' unit,
    // colours and high threshold.
    void Open();
    // No sweep from now on; the one in flight is dropped.
    void Halt();

    QTableView* Table() const { return table_; }
    QListWidget* Events() const { return events_; }

  signals:
    // A row was double-clicked: the interface with this ifIndex is to be polled.
    void InterfaceChosen(int ifIndex);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The unit, colours and high threshold the options hold now.
    void FollowOptions();
    void ShowSweep(const SweepResult& sweep);

    Monitor& monitor_;
    DesktopNotifier& notifier_;
    InterfaceSweeper sweeper_;
    AllInterfacesModel* model_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    QComboBox* interval_ = nullptr;
    QLabel* status_ = nullptr;
    QTableView* table_ = nullptr;
    QListWidget* events_ = nullptr;
};

}  // namespace pulsewell

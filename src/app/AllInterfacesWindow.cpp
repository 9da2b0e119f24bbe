#include "app/AllInterfacesWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "app/AllInterfacesModel.h"
#include "core/Monitor.h"
#include "core/sweep/OverviewColumns.h"
#include "core/text/NaturalOrder.h"
#include "core/text/VisibleText.h"

namespace pulsewell {

namespace {

// Numbers by value, texts as a person reads them ("Gi1/0/2" before "Gi1/0/10").
class OverviewOrder : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

  protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        const QVariant a = left.data(sortRole());
        const QVariant b = right.data(sortRole());
        if (a.typeId() == QMetaType::QString && b.typeId() == QMetaType::QString) {
            return CompareNaturally(a.toString(), b.toString()) < 0;
        }
        return QSortFilterProxyModel::lessThan(left, right);
    }
};

}  // namespace

AllInterfacesWindow::AllInterfacesWindow(Monitor& monitor, DesktopNotifier& notifier,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      monitor_(monitor),
      notifier_(notifier),
      sweeper_(monitor.Worker()),
      model_(new AllInterfacesModel(this)),
      sorted_(new OverviewOrder(this)) {
    setWindowTitle(QStringLiteral("All interfaces"));
    resize(1000, 640);

    interval_ = new QComboBox(this);
    interval_->setObjectName(QStringLiteral("sweepInterval"));
    for (const int seconds : kIntervals) {
        interval_->addItem(QStringLiteral("%1 s").arg(seconds), seconds);
    }
    interval_->setCurrentIndex(interval_->findData(kDefaultInterval));
    connect(interval_, &QComboBox::currentIndexChanged, this, [this] {
        if (sweeper_.IsRunning()) {
            sweeper_.Start(interval_->currentData().toInt());
        }
    });
    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Refresh every"), this));
    top->addWidget(interval_);
    top->addSpacing(16);
    top->addWidget(status_, 1);

    sorted_->setSourceModel(model_);
    sorted_->setSortRole(AllInterfacesModel::kOrderRole);
    sorted_->setDynamicSortFilter(true);
    table_ = new QTableView(this);
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(static_cast<int>(OverviewColumn::Index), Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        emit InterfaceChosen(index.data(AllInterfacesModel::kIndexRole).toInt());
    });

    events_ = new QListWidget(this);
    events_->setObjectName(QStringLiteral("sweepEvents"));
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(table_);
    split->addWidget(events_);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);

    connect(&sweeper_, &InterfaceSweeper::SweepEnded, this, &AllInterfacesWindow::ShowSweep);
    connect(&sweeper_, &InterfaceSweeper::HistoryFailed, events_,
            qOverload<const QString&>(&QListWidget::addItem));
}

void AllInterfacesWindow::Open() {
    const TMonitorState& state = monitor_.State();
    FollowOptions();
    if (sweeper_.SetTarget(state.Device)) {
        // Another device: nothing of the one before stays.
        model_->ShowRows({});
        events_->clear();
    }
    setWindowTitle(QStringLiteral("All interfaces - ") + ShownText(VisibleCell(state.Device.Host)));
    if (!sweeper_.IsRunning()) {
        status_->setText(QStringLiteral("Sweeping..."));
        sweeper_.Start(interval_->currentData().toInt());
    }
    show();
    raise();
    activateWindow();
}

void AllInterfacesWindow::Halt() {
    if (sweeper_.IsRunning()) {
        sweeper_.Stop();
        status_->setText(QStringLiteral("Stopped."));
    }
}

void AllInterfacesWindow::closeEvent(QCloseEvent* event) {
    Halt();
    QWidget::closeEvent(event);
}

void AllInterfacesWindow::FollowOptions() {
    const TUtilizationBars& bars = monitor_.Graph().Bars();
    model_->SetLook(monitor_.State().ShowBytes, bars);
    sweeper_.SetHighThreshold(bars.HighThreshold);
}

void AllInterfacesWindow::ShowSweep(const SweepResult& sweep) {
    // The options may have changed since the sweep before, as for the main window's lines.
    FollowOptions();
    QString status =
        QStringLiteral("Last sweep ended %1, took %2 s")
            .arg(sweep.ended.toString(QStringLiteral("HH:mm:ss")),
                 QString::number(static_cast<double>(sweep.durationMs) / 1000.0, 'f', 2));
    if (sweep.silent) {
        status += QStringLiteral("; no answer");
    } else if (sweep.agentRestarted) {
        status += QStringLiteral("; the agent restarted, no rates this time");
    }
    status_->setText(status);
    const bool firstRows = model_->rowCount() == 0 && !sweep.rows.isEmpty();
    model_->ShowRows(sweep.rows);
    if (firstRows) {
        table_->resizeColumnsToContents();
    }
    for (const SweepEvent& event : sweep.events) {
        events_->addItem(OverviewEventLine(event));
        notifier_.Post(OverviewEventNotice(event, monitor_.State().Device.Host));
    }
    if (!sweep.events.isEmpty()) {
        events_->scrollToBottom();
    }
}

}  // namespace pulsewell

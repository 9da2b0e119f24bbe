#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "app/GraphKeeper.h"
#include "app/HistoryGraphPicture.h"
#include "core/trafficgraph/HistoryView.h"

class QComboBox;
class QDateTimeEdit;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace pulsewell {

// "History": the stored readings of the polled interface over a chosen range,
// graphed, with their 95th percentiles, volume and daily and monthly volumes.
class HistoryWindow : public QDialog {
    Q_OBJECT
  public:
    static constexpr QSize kGraphSize{720, 200};

    // `now` gives the end of the preset ranges, in ms since 1970.
    HistoryWindow(history::HistoryStore& store, const QString& device, const QString& interface,
                  bool showBytes, MessageBoxes& boxes, ErrorReporter& reporter,
                  std::function<std::int64_t()> now, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    const HistoryView& View() const { return view_; }
    const HistoryGraphPicture& Graph() const { return *graph_; }

    // Shows the range chosen now.
    void Refresh();
    // Shows bytes or bits from now on; redraws only when that changes.
    void SetShowBytes(bool showBytes);

  private:
    QWidget* BuildChoices();
    QTableWidget* NewVolumeTable(const QString& period);
    static void FillTable(QTableWidget& table, const std::vector<VolumeRow>& rows);

    HistoryView view_;
    QString device_;
    QString interface_;
    ErrorReporter& reporter_;
    GraphKeeper keeper_;
    std::function<std::int64_t()> now_;
    std::unique_ptr<HistoryGraphPicture> graph_;
    QComboBox* span_ = nullptr;
    QDateTimeEdit* from_ = nullptr;
    QDateTimeEdit* to_ = nullptr;
    QSpinBox* billingDay_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* rangeText_ = nullptr;
    QLabel* inPercentile_ = nullptr;
    QLabel* outPercentile_ = nullptr;
    QLabel* volume_ = nullptr;
    QTableWidget* days_ = nullptr;
    QTableWidget* months_ = nullptr;
};

}  // namespace pulsewell

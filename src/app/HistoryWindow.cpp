#include "app/HistoryWindow.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "history/Database.h"

namespace pulsewell {

namespace {

const char* const kSpanNames[] = {"1 hour", "24 hours", "7 days", "30 days", "1 year", "From/to"};

QString UtcText(std::int64_t ms) {
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC)
               .toString(QStringLiteral("yyyy-MM-dd HH:mm")) +
           QStringLiteral(" UTC");
}

}  // namespace

HistoryWindow::HistoryWindow(history::HistoryStore& store, const QString& device,
                             const QString& interface, bool showBytes, MessageBoxes& boxes,
                             ErrorReporter& reporter, std::function<std::int64_t()> now,
                             QWidget* parent)
    : QDialog(parent),
      view_(store),
      device_(device),
      interface_(interface),
      reporter_(reporter),
      keeper_(boxes, reporter, *this),
      now_(std::move(now)) {
    setWindowTitle(QStringLiteral("History of %1 interface %2").arg(device, interface));
    view_.SetShowBytes(showBytes);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildChoices());

    picture_ = new QLabel;
    picture_->setFixedSize(kGraphSize);
    layout->addWidget(picture_);
    rangeText_ = new QLabel;
    layout->addWidget(rangeText_);
    inPercentile_ = new QLabel;
    inPercentile_->setObjectName(QStringLiteral("inPercentile"));
    outPercentile_ = new QLabel;
    outPercentile_->setObjectName(QStringLiteral("outPercentile"));
    volume_ = new QLabel;
    volume_->setObjectName(QStringLiteral("volume"));
    for (QLabel* label : {inPercentile_, outPercentile_, volume_}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }

    auto* tables = new QHBoxLayout;
    days_ = NewVolumeTable(QStringLiteral("Day"));
    months_ = NewVolumeTable(QStringLiteral("Month"));
    tables->addWidget(days_, 2);
    tables->addWidget(months_, 3);
    layout->addLayout(tables, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* savePicture = buttons->addButton(QStringLiteral("Save graph as &picture..."),
                                                  QDialogButtonBox::ActionRole);
    savePicture->setObjectName(QStringLiteral("saveHistoryPictureButton"));
    connect(savePicture, &QPushButton::clicked, this, [this] {
        keeper_.SavePicture(graph_->Picture(),
                            QStringLiteral("Host: %1; interface: %2; %3; %4")
                                .arg(device_, interface_, view_.UnitText(), rangeText_->text()),
                            QStringLiteral("pulsewell-history.png"));
    });
    QPushButton* exportData =
        buttons->addButton(QStringLiteral("Export graph &data..."), QDialogButtonBox::ActionRole);
    exportData->setObjectName(QStringLiteral("exportHistoryButton"));
    connect(exportData, &QPushButton::clicked, this,
            [this] { keeper_.ExportCsv(QStringLiteral("pulsewell-history.csv"), view_.Csv()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    resize(kGraphSize.width() + 100, kGraphSize.height() + 460);
    Refresh();
}

HistoryWindow::~HistoryWindow() = default;

QWidget* HistoryWindow::BuildChoices() {
    auto* choices = new QWidget;
    auto* row = new QHBoxLayout(choices);
    row->setContentsMargins(0, 0, 0, 0);
    span_ = new QComboBox;
    span_->setObjectName(QStringLiteral("historyRange"));
    for (const char* name : kSpanNames) {
        span_->addItem(QString::fromLatin1(name));
    }
    span_->setCurrentIndex(static_cast<int>(HistorySpan::Day));
    from_ = new QDateTimeEdit;
    from_->setObjectName(QStringLiteral("historyFrom"));
    to_ = new QDateTimeEdit;
    to_->setObjectName(QStringLiteral("historyTo"));
    billingDay_ = new QSpinBox;
    billingDay_->setObjectName(QStringLiteral("billingDay"));
    billingDay_->setRange(1, 28);
    for (QDateTimeEdit* edit : {from_, to_}) {
        edit->setTimeSpec(Qt::UTC);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm"));
        edit->setCalendarPopup(true);
        edit->setEnabled(false);
    }
    row->addWidget(new QLabel(QStringLiteral("Range:")));
    row->addWidget(span_);
    row->addWidget(new QLabel(QStringLiteral("From:")));
    row->addWidget(from_);
    row->addWidget(new QLabel(QStringLiteral("To:")));
    row->addWidget(to_);
    row->addStretch(1);
    row->addWidget(new QLabel(QStringLiteral("Billing day:")));
    row->addWidget(billingDay_);

    connect(span_, &QComboBox::currentIndexChanged, this, [this](int index) {
        const bool own = index == static_cast<int>(HistorySpan::FromTo);
        from_->setEnabled(own);
        to_->setEnabled(own);
        Refresh();
    });
    connect(from_, &QDateTimeEdit::dateTimeChanged, this, &HistoryWindow::Refresh);
    connect(to_, &QDateTimeEdit::dateTimeChanged, this, &HistoryWindow::Refresh);
    connect(billingDay_, &QSpinBox::valueChanged, this, &HistoryWindow::Refresh);
    return choices;
}

QTableWidget* HistoryWindow::NewVolumeTable(const QString& period) {
    auto* table = new QTableWidget(0, 3);
    table->setObjectName(period == QStringLiteral("Day") ? QStringLiteral("dailyVolumes")
                                                         : QStringLiteral("monthlyVolumes"));
    table->setHorizontalHeaderLabels(
        {period, QStringLiteral("IN bytes"), QStringLiteral("OUT bytes")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}

void HistoryWindow::FillTable(QTableWidget& table, const std::vector<VolumeRow>& rows) {
    table.setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < table.rowCount(); ++i) {
        const VolumeRow& row = rows[static_cast<std::size_t>(i)];
        const QString cells[] = {row.period, row.in, row.out};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column > 0) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            table.setItem(i, column, item);
        }
    }
    // Once, after all rows: sized to its contents as it fills, a year's table
    // would lay out its texts for every row it receives.
    table.resizeColumnsToContents();
}

void HistoryWindow::SetShowBytes(bool showBytes) {
    if (showBytes != view_.ShowsBytes()) {
        view_.SetShowBytes(showBytes);
        Refresh();
    }
}

void HistoryWindow::Refresh() {
    const auto span = static_cast<HistorySpan>(span_->currentIndex());
    const HistoryRange range = span == HistorySpan::FromTo
                                   ? HistoryRange{from_->dateTime().toMSecsSinceEpoch(),
                                                  to_->dateTime().toMSecsSinceEpoch()}
                                   : SpanEnding(span, now_());
    if (span != HistorySpan::FromTo) {
        // The fields show the range, and From/to starts from it.
        const QSignalBlocker blockFrom(from_);
        const QSignalBlocker blockTo(to_);
        from_->setDateTime(QDateTime::fromMSecsSinceEpoch(range.fromMs, Qt::UTC));
        to_->setDateTime(QDateTime::fromMSecsSinceEpoch(range.toMs, Qt::UTC));
    }
    bool found = false;
    try {
        found = view_.Show(device_, interface_, span, range, billingDay_->value());
    } catch (const history::DatabaseError& error) {
        reporter_.ShowError(QString::fromStdString(error.what()));
    }
    graph_ = std::make_unique<HistoryGraphPicture>(view_, kGraphSize);
    picture_->setPixmap(QPixmap::fromImage(graph_->Picture()));
    rangeText_->setText(
        found ? QStringLiteral("%1 to %2, step %3")
                    .arg(UtcText(range.fromMs), UtcText(range.toMs),
                         QString::fromLatin1(history::StepName(view_.Step())))
              : QStringLiteral("No history of %1 interface %2").arg(device_, interface_));
    inPercentile_->setText(view_.InPercentileText());
    outPercentile_->setText(view_.OutPercentileText());
    volume_->setText(view_.VolumeText());
    FillTable(*days_, view_.Days());
    FillTable(*months_, view_.Months());
}

}  // namespace pulsewell

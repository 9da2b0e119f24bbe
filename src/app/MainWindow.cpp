#include "app/MainWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>

#include "app/AllInterfacesWindow.h"
#include "app/HistoryWindow.h"
#include "app/InterfaceGrid.h"
#include "app/MessageBoxes.h"
#include "app/MessageListView.h"
#include "core/numbers/NumberText.h"
#include "core/numbers/Rounding.h"
#include "core/polling/HistoryRecorder.h"
#include "core/settings/WindowGeometry.h"
#include "core/text/VisibleText.h"
#include "core/trafficgraph/GraphData.h"
#include "options/OptionsDialog.h"
#include "options/V3PassphraseKeeper.h"

namespace pulsewell {

namespace {

// The community is masked with "*" whatever the platform's password character.
class AsteriskMaskStyle : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return '*';
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

constexpr int kGraphLeft = 8;
constexpr int kGraphTop = 158;
constexpr int kGraphWidth = 690;
constexpr int kGraphHeight = 170;
constexpr int kCaptionLeft = kGraphLeft + kGraphWidth + 4;
// The scale captions take the room right of the graph, enough for
// "100,000,000,000" in the desktop's usual font.
constexpr int kCaptionWidth = TForm1::kClientWidth - kCaptionLeft - 4;
constexpr qreal kSmallestCaptionPoints = 6;
constexpr int kCaptionTops[] = {-4, 37, 77, 121, 163};
// The share of the largest value each scale caption stands for, top to bottom.
constexpr double kCaptionShares[] = {1, 0.75, 0.5, 0.25, 0};
// The graph keeps 3 % of room above its largest value.
constexpr double kGraphHeadroom = 1.03;
constexpr int kQuitTopCompact = 428;
constexpr int kQuitTopExpanded = 610;

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y, int w, int h = 16) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

// A caption keeps the window's font while its text fits; one too wide for it
// (a large desktop font) gets a smaller size rather than lose digits.
void SetCaptionText(QLabel* caption, const QString& text) {
    QFont font = caption->parentWidget()->font();
    const int room = caption->contentsRect().width();
    while (font.pointSizeF() > kSmallestCaptionPoints &&
           QFontMetrics(font).horizontalAdvance(text) > room) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    caption->setFont(font);
    caption->setText(text);
}

QPushButton* AddButton(QWidget* parent, const QString& text, int x, int y, int w) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(x, y, w, 25);
    return button;
}

}  // namespace

TForm1::TForm1(MessageBoxes& boxes, DeviceReader& reader, SoundPlayer& player,
               const QString& startProfile, DeviceWorker::Threading threading, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                              Qt::WindowCloseButtonHint),
      boxes_(boxes),
      monitor_(*this, reader, player, threading),
      graphPicture_(monitor_.Graph()) {
    setWindowTitle(QStringLiteral("Pulsewell"));
    auto* client = new QWidget(this);
    setCentralWidget(client);
    BuildInputs(client);
    BuildIntervalGroup(client);
    BuildGraphArea(client);
    BuildBottomRows(client);
    BuildInterfaceGroup(client);
    BuildMenus();
    BuildStatusBar();
    setMinimumSize(kClientWidth, kCompactHeight);
    resize(kClientWidth, kCompactHeight);
    connect(&monitor_.Graph(), &TrafficGraph::Changed, this, &TForm1::ShowGraph);
    RestoreGeometry();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &TForm1::StoreGeometry);
    connect(&monitor_, &Monitor::DeviceInfoGathered, this, [this] {
        // An empty report is one the device did not answer, which the error box said.
        if (options_ && !monitor_.DeviceReport().isEmpty()) {
            options_->ShowDeviceInfo(monitor_.DeviceReport());
        }
    });
    connect(&monitor_, &Monitor::StatusChanged, this, &TForm1::ShowStatus);
    connect(&monitor_, &Monitor::AlarmNoticed, this,
            [this](const TAlarmNotice& notice) { notifier_.Post(notice); });
    connect(&monitor_, &Monitor::DiscoveryEnded, this, &TForm1::DiscoveryEnded);
    monitor_.SetStartProfile(startProfile);
    ResetAll();
    hostCombo_->setFocus();
}

TForm1::~TForm1() {
    // Its sweeps run on the monitor's worker, which ends before the children.
    delete allInterfaces_;
    // The monitor and every other member end before QWidget's destructor hides
    // and deletes the controls, and controls still signal on their way out (a
    // focused host combo finishes its edit). Nothing of theirs may reach here.
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
}

void TForm1::BuildInputs(QWidget* client) {
    AddLabel(client, QStringLiteral("IP Address:"), 8, 8, 130);
    hostCombo_ = new QComboBox(client);
    hostCombo_->setObjectName(QStringLiteral("hostCombo"));
    hostCombo_->setEditable(true);
    hostCombo_->setGeometry(8, 24, 130, 22);
    // Typed text stays as typed: no completion, no entry of its own (the host
    // list adds entries when polling starts), and no rewrite to an entry's
    // letter case when the edit ends.
    hostCombo_->setInsertPolicy(QComboBox::NoInsert);
    hostCombo_->setCompleter(nullptr);
    connect(hostCombo_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { monitor_.SetHost(text); });
    connect(hostCombo_, &QComboBox::activated, this,
            [this](int index) { monitor_.SetHost(hostCombo_->itemText(index)); });

    AddLabel(client, QStringLiteral("Interface number:"), 146, 8, 116);
    interfaceList_ = new QComboBox(client);
    interfaceList_->setObjectName(QStringLiteral("interfaceList"));
    interfaceList_->setGeometry(146, 24, 108, 22);
    connect(interfaceList_, &QComboBox::currentIndexChanged, this,
            [this](int index) { monitor_.SelectInterface(index); });

    AddLabel(client, QStringLiteral("SNMP read community:"), 262, 8, 150);
    communityEdit_ = new QLineEdit(monitor_.State().Device.Community, client);
    communityEdit_->setObjectName(QStringLiteral("communityEdit"));
    communityEdit_->setGeometry(262, 24, 140, 22);
    auto* maskStyle = new AsteriskMaskStyle;
    maskStyle->setParent(communityEdit_);
    communityEdit_->setStyle(maskStyle);
    communityEdit_->setEchoMode(QLineEdit::Password);
    connect(communityEdit_, &QLineEdit::textChanged, this,
            [this](const QString& text) { monitor_.SetCommunity(text); });

    showCommunity_ = new QCheckBox(QStringLiteral("show community"), client);
    showCommunity_->setGeometry(262, 50, 140, 20);
    connect(showCommunity_, &QCheckBox::clicked, this, &TForm1::ShowCommunityClick);

    AddLabel(client, QStringLiteral("Bandwidth in bit"), 414, 8, 100);
    bandwidthEdit_ = new QLineEdit(monitor_.State().Bandwidth, client);
    bandwidthEdit_->setObjectName(QStringLiteral("bandwidthEdit"));
    bandwidthEdit_->setGeometry(414, 24, 94, 22);
    connect(bandwidthEdit_, &QLineEdit::textEdited, this,
            [this](const QString& text) { monitor_.SetBandwidth(text); });

    firstContactButton_ = AddButton(client, QStringLiteral("&First contact"), 516, 8, 140);
    startButton_ = AddButton(client, QStringLiteral("&Start polling"), 516, 38, 140);
    stopButton_ = AddButton(client, QStringLiteral("Sto&p polling"), 516, 68, 140);
    connect(firstContactButton_, &QPushButton::clicked, this, [this] { monitor_.FirstContact(); });
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            [this] { monitor_.CallOffFirstContact(); });
    connect(startButton_, &QPushButton::clicked, this, [this] { monitor_.StartPolling(); });
    connect(stopButton_, &QPushButton::clicked, this, [this] {
        monitor_.StopPolling();
        if (allInterfaces_ != nullptr) {
            allInterfaces_->Halt();
        }
    });
    stopButton_->installEventFilter(this);

    // Reached through the poll timer and the menu only.
    pollOnceButton_ = AddButton(client, QStringLiteral("Poll once"), 516, 98, 140);
    pollOnceButton_->hide();
    connect(pollOnceButton_, &QPushButton::clicked, this, [this] { monitor_.PollOnce(); });
    resetAllButton_ = AddButton(client, QStringLiteral("&Reset all"), 516, 98, 140);
    resetAllButton_->hide();
    connect(resetAllButton_, &QPushButton::clicked, this, &TForm1::ResetAll);

    AddLabel(client, QStringLiteral("Traffic log:"), 8, 76, 200);
    messageView_ = new MessageListView(monitor_.Messages(), client);
    messageView_->setObjectName(QStringLiteral("messageList"));
    messageView_->setGeometry(8, 92, 648, 60);
    Follow(messageView_, Room::Log);
}

void TForm1::BuildIntervalGroup(QWidget* client) {
    auto* group = new QGroupBox(QStringLiteral("Polling interval"), client);
    group->setGeometry(668, 2, 148, 150);
    Follow(group, Room::RightEdge);
    int y = 20;
    for (int seconds : Monitor::kIntervals) {
        auto* button = new QRadioButton(QStringLiteral("every %1 sec").arg(seconds), group);
        button->setChecked(seconds == monitor_.State().Schedule.IntervalSeconds);
        connect(button, &QRadioButton::toggled, this, [this, seconds](bool checked) {
            if (checked) {
                monitor_.SelectInterval(seconds);
            }
        });
        intervalButtons_.insert(seconds, button);
        if (seconds == 1) {
            button->hide();  // chosen only by a middle click on "Sto&p polling"
            continue;
        }
        button->setGeometry(10, y, 130, 17);
        y += 18;
    }
}

void TForm1::BuildGraphArea(QWidget* client) {
    graphArea_ = new QLabel(client);
    graphArea_->setGeometry(kGraphLeft, kGraphTop, kGraphWidth, kGraphHeight);
    graphArea_->setAutoFillBackground(true);
    graphArea_->setStyleSheet(QStringLiteral("background: white"));
    Follow(graphArea_, Room::Graph);

    const QString scale[] = {"100", "75", "50", "25", "0"};
    for (int i = 0; i < 5; ++i) {
        const int width = i == 4 ? 24 : kCaptionWidth;
        scaleCaptions_.append(
            AddLabel(client, scale[i], kCaptionLeft, kGraphTop + kCaptionTops[i], width));
        scaleCaptions_.last()->setObjectName(QStringLiteral("scaleCaption%1").arg(i));
        Follow(scaleCaptions_.last(), Room::Caption, kCaptionShares[i]);
    }
    unitCaption_ = AddLabel(client, QStringLiteral("Bit/sec"), kCaptionLeft + 26,
                            kGraphTop + kCaptionTops[4], 90);
    unitCaption_->setObjectName(QStringLiteral("unitCaption"));
    Follow(unitCaption_, Room::Caption, kCaptionShares[4]);
    const QString percent[] = {"100%", "75%", "50%", "25%"};
    for (int i = 0; i < 4; ++i) {
        auto* caption =
            AddLabel(client, percent[i], kCaptionLeft, kGraphTop + kCaptionTops[i], kCaptionWidth);
        caption->hide();
        percentCaptions_.append(caption);
        Follow(caption, Room::Caption, kCaptionShares[i]);
    }
}

void TForm1::BuildBottomRows(QWidget* client) {
    auto* graphType = new QGroupBox(QStringLiteral("Graph type"), client);
    graphType->setGeometry(8, 336, 240, 86);
    Follow(graphType, Room::Below);
    const QString types[] = {"Show traffic IN/OUT separate", "Show traffic IN/OUT combined",
                             "Show utilization"};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(types[i], graphType);
        button->setGeometry(10, 20 + i * 21, 220, 18);
        button->setChecked(i == 0);
        const auto type = static_cast<TGraphType>(i);
        connect(button, &QRadioButton::clicked, this,
                [this, type] { monitor_.ApplyGraphType(type); });
        graphTypeButtons_.append(button);
    }

    struct Row {
        const char* caption;
        const char* color;
        const char* name;
        QLabel** value;
    };
    const Row rows[] = {
        {"Accumulated traffic IN (green): ", "green", "totalIn", &totalInValue_},
        {"Accumulated traffic OUT (blue): ", "blue", "totalOut", &totalOutValue_},
        {"Accumulated traffic combined (red): ", "red", "totalCombined", &totalCombinedValue_},
    };
    int y = 342;
    for (const Row& row : rows) {
        Follow(AddLabel(client, QString::fromLatin1(row.caption), 258, y, 216, 20), Room::Below);
        QLabel* value = AddLabel(client, QStringLiteral("0"), 476, y, 126, 20);
        Follow(value, Room::Below);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setStyleSheet(QStringLiteral("background: silver; color: %1; padding-right: 3px")
                                 .arg(QString::fromLatin1(row.color)));
        value->setObjectName(QString::fromLatin1(row.name));
        *row.value = value;
        Follow(AddLabel(client, QStringLiteral("Bytes"), 606, y, 38, 20), Room::Below);
        y += 26;
    }

    interfaceInfoButton_ =
        AddButton(client, QStringLiteral("Show interface information"), 648, 336, 168);
    connect(interfaceInfoButton_, &QPushButton::clicked, this, &TForm1::ShowInterfaceTable);
    // Shown once discovery has reached the device.
    exportButton_ = AddButton(client, QStringLiteral("Export device info"), 648, 366, 168);
    exportButton_->hide();
    connect(exportButton_, &QPushButton::clicked, this, [this] { monitor_.ExportDeviceInfo(); });
    quitButton_ = AddButton(client, QStringLiteral("&Quit"), 648, kQuitTopCompact, 168);
    connect(quitButton_, &QPushButton::clicked, qApp, &QApplication::quit);
    for (QWidget* button : {interfaceInfoButton_, exportButton_, quitButton_}) {
        Follow(button, Room::BelowRight);
    }
}

void TForm1::BuildInterfaceGroup(QWidget* client) {
    interfaceGroup_ = new QGroupBox(QStringLiteral("Interface Information"), client);
    interfaceGroup_->setGeometry(8, 462, 808, 140);
    interfaceGroup_->hide();
    interfaceGrid_ = new InterfaceGrid(monitor_.Table(), interfaceGroup_);
    // Grid row r is entry r of the interface list, which holds exactly the rows shown.
    connect(interfaceGrid_, &QTableWidget::cellDoubleClicked, this, &TForm1::ChooseEntry);
    interfaceGrid_->setGeometry(8, 18, 792, 114);
    Follow(interfaceGroup_, Room::BelowWide);
    Follow(interfaceGrid_, Room::Wide);
}

void TForm1::ShowHistory() {
    if (!historyStore_) {
        historyStore_ = std::make_unique<history::HistoryStore>(
            HistoryPath().toStdString(), StoredHistorySettings().retention,
            [this](const std::string& text) { ShowError(QString::fromStdString(text)); });
    }
    const TMonitorState& state = monitor_.State();
    auto* window =
        new HistoryWindow(*historyStore_, state.Device.Host, state.PolledInterface, state.ShowBytes,
                          boxes_, *this, &history::HistoryStore::SystemClockMs, this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The unit follows the options, as the main graph does.
    connect(&monitor_.Graph(), &TrafficGraph::Changed, window,
            [this, window] { window->SetShowBytes(monitor_.Graph().ShowBytes()); });
    window->show();
}

void TForm1::ChooseEntry(int entry) {
    if (interfaceList_->isEnabled() && entry >= 0 && entry < interfaceList_->count()) {
        interfaceList_->setCurrentIndex(entry);
    }
}

void TForm1::ShowAllInterfaces() {
    if (allInterfaces_ == nullptr) {
        allInterfaces_ = new AllInterfacesWindow(monitor_, notifier_, this);
        connect(allInterfaces_, &AllInterfacesWindow::InterfaceChosen, this, [this](int ifIndex) {
            ChooseEntry(
                static_cast<int>(monitor_.InterfaceEntries().indexOf(QString::number(ifIndex))));
        });
    }
    allInterfaces_->Open();
}

void TForm1::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    showDeviceInfoAction_ = file->addAction(QStringLiteral("Show device info"));
    showDeviceInfoAction_->setEnabled(false);
    connect(showDeviceInfoAction_, &QAction::triggered, this, &TForm1::ShowDeviceInfo);
    connect(file->addAction(QStringLiteral("History...")), &QAction::triggered, this,
            &TForm1::ShowHistory);
    // Once a first contact has listed the device's interfaces.
    allInterfacesAction_ = file->addAction(QStringLiteral("All interfaces..."));
    allInterfacesAction_->setEnabled(false);
    connect(allInterfacesAction_, &QAction::triggered, this, &TForm1::ShowAllInterfaces);
    file->addSeparator();
    QAction* savePicture = file->addAction(QStringLiteral("Save graph as &picture..."));
    savePicture->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(savePicture, &QAction::triggered, this, [this] {
        graphKeeper_.SavePicture(GraphImage(),
                                 GraphPictureCaption(monitor_.Graph(), monitor_.State().Device.Host,
                                                     monitor_.State().PolledInterface));
    });
    connect(file->addAction(QStringLiteral("Export graph &data...")), &QAction::triggered, this,
            [this] {
                graphKeeper_.ExportData(monitor_.Graph(), monitor_.State().Device.Host,
                                        monitor_.State().PolledInterface);
            });
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("&Exit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, qApp, &QApplication::quit);

    QMenu* tools = menuBar()->addMenu(QStringLiteral("Tools"));
    connect(tools->addAction(QStringLiteral("Options")), &QAction::triggered, this, [this] {
        if (options_) {
            options_->ShowOptions();
        }
    });
    connect(tools->addAction(QStringLiteral("Reset all")), &QAction::triggered, this,
            &TForm1::ResetAll);
    alwaysOnTopAction_ = tools->addAction(QStringLiteral("Always On Top"));
    alwaysOnTopAction_->setCheckable(true);
    connect(alwaysOnTopAction_, &QAction::triggered, this, &TForm1::ToggleAlwaysOnTop);
    writeLogAction_ = tools->addAction(QStringLiteral("Write log file"));
    writeLogAction_->setCheckable(true);
    connect(writeLogAction_, &QAction::triggered, this,
            [this](bool on) { monitor_.SetWriteLog(on); });
    writeDebugLogAction_ = tools->addAction(QStringLiteral("Write debug log"));
    writeDebugLogAction_->setCheckable(true);
    connect(writeDebugLogAction_, &QAction::triggered, this,
            [this](bool on) { monitor_.SetWriteDebugLog(on); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("?"));
    QAction* about = help->addAction(QStringLiteral("&About..."));
    about->setShortcut(QKeySequence(Qt::Key_F1));
    connect(about, &QAction::triggered, this, &TForm1::AboutRequested);
}

void TForm1::BuildStatusBar() {
    for (int panel = 0; panel < 2; ++panel) {
        statusPanels_[panel] = new QLabel(this);
        statusPanels_[panel]->setObjectName(QStringLiteral("statusPanel%1").arg(panel));
        statusPanels_[panel]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusPanels_[panel]->setTextFormat(Qt::PlainText);  // causes quote the device
    }
    statusPanels_[kStatusPanel]->setFixedWidth(500);
    statusBar()->setSizeGripEnabled(true);
    statusBar()->addWidget(statusPanels_[kStatusPanel]);
    statusBar()->addWidget(statusPanels_[kCountdownPanel], 1);
}

void TForm1::Follow(QWidget* widget, Room room, double share) {
    followers_.append(Follower{widget, widget->geometry(), room, share});
}

int TForm1::SmallestHeight() const {
    return tableShown_ ? kExpandedHeight : kCompactHeight;
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FitToSize();
}

void TForm1::FitToSize() {
    const int wider = std::max(0, width() - kClientWidth);
    const int taller = std::max(0, height() - SmallestHeight());
    const int log = taller / 2;
    const int graph = taller - log;
    for (const Follower& f : std::as_const(followers_)) {
        QRect r = f.base;
        switch (f.room) {
            case Room::RightEdge:
                r.translate(wider, 0);
                break;
            case Room::Log:
                r.adjust(0, 0, wider, log);
                break;
            case Room::Graph:
                r.translate(0, log);
                r.adjust(0, 0, wider, graph);
                break;
            case Room::Caption:
                // Beside the row where a sample of its value is drawn.
                r.translate(
                    wider,
                    log + static_cast<int>(RoundHalfEven(graph * (1 - f.share / kGraphHeadroom))));
                break;
            case Room::Below:
                r.translate(0, log + graph);
                break;
            case Room::BelowRight:
                r.translate(wider, log + graph);
                break;
            case Room::BelowWide:
                r.translate(0, log + graph);
                r.adjust(0, 0, wider, 0);
                break;
            case Room::Wide:
                r.adjust(0, 0, wider, 0);
                break;
        }
        f.widget->setGeometry(r);
    }
    if (graphArea_->size() != graphPicture_.Picture().size()) {
        graphPicture_.Resize(graphArea_->size());
    }
}

void TForm1::RestoreGeometry() {
    std::optional<QRect> stored;
    if (!RunGuarded(*this, [&] { stored = ReadWindowGeometry(); }) || !stored) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            move(screen->availableGeometry().center() - rect().center());
        }
        return;
    }
    const QScreen* screen = QGuiApplication::screenAt(stored->center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    setGeometry(screen ? FitOnScreen(*stored, screen->availableGeometry(), minimumSize())
                       : *stored);
}

void TForm1::StoreGeometry() {
    // Kept without the interface table, which every start hides.
    QRect geometry = normalGeometry();
    geometry.setHeight(geometry.height() - SmallestHeight() + kCompactHeight);
    RunGuarded(*this, [&] { WriteWindowGeometry(geometry); });
}

QImage TForm1::GraphImage() const {
    QRect area = graphArea_->geometry();
    for (const QLabel* caption :
         scaleCaptions_ + percentCaptions_ + QVector<QLabel*>{unitCaption_}) {
        if (!caption->isHidden()) {
            area |= caption->geometry();
        }
    }
    return centralWidget()->grab(area).toImage();
}

void TForm1::SetTableShown(bool shown) {
    const int before = SmallestHeight();
    tableShown_ = shown;
    for (Follower& f : followers_) {
        if (f.widget == quitButton_) {
            f.base.moveTop(shown ? kQuitTopExpanded : kQuitTopCompact);
        }
    }
    // The extra room the user gave the window stays with it.
    const int height = this->height() + SmallestHeight() - before;
    setMinimumSize(kClientWidth, SmallestHeight());
    resize(width(), height);
    FitToSize();
}

void TForm1::ShowInterfaceTable() {
    const bool show = !tableShown_;
    interfaceInfoButton_->setText(show ? QStringLiteral("Hide interface information")
                                       : QStringLiteral("Show interface information"));
    SetTableShown(show);
    interfaceGroup_->setVisible(show);
}

void TForm1::ShowDeviceInfo() {
    monitor_.GatherDeviceInfo();
}

void TForm1::ToggleAlwaysOnTop() {
    // The action has already flipped its check mark.
    const bool onTop = alwaysOnTopAction_->isChecked();
    const QPoint position = pos();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    move(position);
    show();
}

void TForm1::ShowCommunityClick() {
    communityEdit_->setEchoMode(showCommunity_->isChecked() ? QLineEdit::Normal
                                                            : QLineEdit::Password);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == stopButton_ && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
        stopButton_->isEnabled()) {
        monitor_.ChooseInterval(1);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::ShowGraph() {
    const TrafficGraph& graph = monitor_.Graph();
    graphArea_->setPixmap(QPixmap::fromImage(graphPicture_.Picture()));
    const TGraphCaptions& c = graph.Captions();
    const TGraphCaption* scale[] = {&c.Top, &c.ThreeQuarter, &c.Half, &c.Quarter, &c.Bottom};
    for (int i = 0; i < 5; ++i) {
        SetCaptionText(scaleCaptions_[i], scale[i]->Text);
        scaleCaptions_[i]->setVisible(scale[i]->Visible);
    }
    unitCaption_->setText(c.Unit.Text);
    unitCaption_->setVisible(c.Unit.Visible);
    const TGraphCaption* percent[] = {&c.Percent100, &c.Percent75, &c.Percent50, &c.Percent25};
    for (int i = 0; i < 4; ++i) {
        percentCaptions_[i]->setText(percent[i]->Text);
        percentCaptions_[i]->setVisible(percent[i]->Visible);
    }
}

void TForm1::ShowError(const QString& message) {
    boxes_.ShowError(this, message);
}

void TForm1::ShowMessageBox(const QString& text, const QString& caption) {
    boxes_.ShowMessage(this, text, caption);
}

void TForm1::ResetAll() {
    if (tableShown_) {
        ShowInterfaceTable();
    }
    monitor_.ResetAll();
}

void TForm1::ShowStatus(const MonitorStatus& status) {
    firstContactButton_->setEnabled(status.commands.firstContact);
    startButton_->setEnabled(status.commands.startPolling);
    stopButton_->setEnabled(status.commands.stopPolling);
    showDeviceInfoAction_->setEnabled(status.commands.showDeviceInfo);
    statusPanels_[kStatusPanel]->setText(ShownText(status.statusText));
    statusPanels_[kCountdownPanel]->setText(ShownText(status.countdownText));
    totalInValue_->setText(IntegerText(status.totalIn));
    totalOutValue_->setText(IntegerText(status.totalOut));
    totalCombinedValue_->setText(IntegerText(status.totalCombined));
    // What the user types stays as typed: a field is set only when its text differs.
    if (bandwidthEdit_->text() != status.bandwidth) {
        bandwidthEdit_->setText(status.bandwidth);
    }
    if (communityEdit_->text() != status.community) {
        communityEdit_->setText(status.community);
    }
    communityEdit_->setReadOnly(status.communityReadOnly);
    // SNMPv3 asks as a user; the community is not sent.
    communityEdit_->setEnabled(status.version != SnmpVersion::V3);
    showCommunity_->setEnabled(status.version != SnmpVersion::V3);
    ShowHosts(status);
    ShowInterfaceList(status);
    if (QRadioButton* button = intervalButtons_.value(status.intervalSeconds);
        button != nullptr && !button->isChecked()) {
        const QSignalBlocker blocker(button);
        button->setChecked(true);
    }
    writeLogAction_->setEnabled(status.logSwitchesEnabled);
    writeLogAction_->setChecked(status.writeLog);
    writeDebugLogAction_->setEnabled(status.logSwitchesEnabled);
    writeDebugLogAction_->setChecked(status.writeDebugLog);
    if (status.discovering != shown_.discovering) {
        if (status.discovering) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        } else {
            QApplication::restoreOverrideCursor();
        }
    }
    exportButton_->setVisible(status.deviceInfoExportable);
    shown_ = status;
}

void TForm1::ShowHosts(const MonitorStatus& status) {
    QStringList items;
    for (int i = 0; i < hostCombo_->count(); ++i) {
        items.append(hostCombo_->itemText(i));
    }
    if (items == status.hosts && hostCombo_->currentText() == status.hostText) {
        return;
    }
    const QSignalBlocker blocker(hostCombo_);
    hostCombo_->clear();
    hostCombo_->addItems(status.hosts);
    hostCombo_->setCurrentIndex(static_cast<int>(status.hosts.indexOf(status.hostText)));
    hostCombo_->setEditText(status.hostText);
}

void TForm1::ShowInterfaceList(const MonitorStatus& status) {
    if (status.interfaces.isEmpty()) {
        // Another host, or none: its interfaces are to be found first.
        allInterfacesAction_->setEnabled(false);
        if (allInterfaces_ != nullptr) {
            allInterfaces_->close();
        }
    }
    interfaceList_->setEnabled(status.interfaceListEnabled);
    const QSignalBlocker blocker(interfaceList_);
    if (status.interfaces != shown_.interfaces) {
        interfaceList_->clear();
        interfaceList_->addItems(status.interfaces);
        // The names are longer than the field: the open list shows them whole.
        QAbstractItemView* view = interfaceList_->view();
        view->setMinimumWidth(view->sizeHintForColumn(0) +
                              view->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                              2 * view->frameWidth());
    }
    interfaceList_->setCurrentIndex(status.selectedInterface);
}

void TForm1::DiscoveryEnded(const DiscoveryOutcome& outcome) {
    if (!outcome.hint.isEmpty()) {
        monitor_.Messages().Append(outcome.hint);
    }
    if (outcome.found) {
        interfaceList_->setFocus();
    }
    allInterfacesAction_->setEnabled(!monitor_.InterfaceEntries().isEmpty());
}

TAlarmSettings TForm1::CurrentAlarmSettings() const {
    // Before the options dialog exists the alarms are off.
    return options_ ? options_->Fields().Alarms : TAlarmSettings{};
}

bool TForm1::OpenDocument(const QString& path) {
    return opener_->Open(QUrl::fromLocalFile(path));
}

void TForm1::SetPassphraseKeeper(V3PassphraseKeeper& keeper) {
    keeper_ = &keeper;
    monitor_.RequestV3Passphrases();
    RecallCommunity(monitor_.State().Device.Host);
}

void TForm1::RecallCommunity(const QString& host) {
    if (keeper_ == nullptr || host.isEmpty()) {
        return;
    }
    QPointer<TForm1> self(this);
    keeper_->RecallCommunity(host, [self, host](const QString& community) {
        if (self) {
            self->monitor_.SetRecalledCommunity(host, community);
        }
    });
}

void TForm1::KeepCommunity(const QString& host, const QString& community) {
    if (keeper_ != nullptr) {
        keeper_->KeepCommunity(host, community);
    }
}

bool TForm1::RequestV3Passphrases(const QString& user) {
    if (keeper_ == nullptr) {
        return false;
    }
    QPointer<TForm1> self(this);
    keeper_->Fetch(user, this, [self, user](const V3Passphrases& passphrases) {
        if (self) {
            self->monitor_.SetV3Passphrases(user, passphrases.Auth, passphrases.Priv);
        }
    });
    return true;
}
}  // namespace pulsewell

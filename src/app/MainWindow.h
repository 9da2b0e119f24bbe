#pragma once

#include <QMainWindow>
#include <QMap>
#include <QVector>
#include <memory>

#include "about/UrlOpener.h"
#include "app/DesktopNotifier.h"
#include "app/GraphKeeper.h"
#include "app/TrafficGraphPicture.h"
#include "core/Monitor.h"
#include "core/MonitorView.h"
#include "history/HistoryStore.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pulsewell {

class AllInterfacesWindow;
class InterfaceGrid;
class TForm3;
class V3PassphraseKeeper;
class MessageBoxes;
class MessageListView;

// The main window: shows the monitor's state and forwards the user's actions
// to it. Named as the program has always named its main form.
class TForm1 : public QMainWindow, public MonitorView {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 824;
    static constexpr int kCompactHeight = 540;
    static constexpr int kExpandedHeight = 720;
    // The status bar's panels.
    static constexpr int kStatusPanel = 0;
    static constexpr int kCountdownPanel = 1;

    // startProfile: a file in the program's folder that presets a host and
    // starts polling (the program's first argument); empty for none. The
    // program runs the device's exchanges on a thread of their own.
    TForm1(MessageBoxes& boxes, DeviceReader& reader, SoundPlayer& player,
           const QString& startProfile = QString(),
           DeviceWorker::Threading threading = DeviceWorker::Threading::CallerThread,
           QWidget* parent = nullptr);
    ~TForm1() override;

    Monitor& monitor() { return monitor_; }
    const TrafficGraphPicture& GraphPicture() const { return graphPicture_; }
    // The graph area with the captions beside it, as the window draws it.
    QImage GraphImage() const;
    // Keeps the window's place and size in the settings file for the next
    // start; the program does so when it quits.
    void StoreGeometry();
    // Where the exported report is opened; the desktop's usual program unless changed.
    void SetUrlOpener(UrlOpener& opener) { opener_ = &opener; }
    // The options dialog, created after the window: "Tools" > "Options" shows
    // it, and the poll's alarms read its controls.
    void SetOptionsDialog(TForm3& options) { options_ = &options; }
    // Where the SNMPv3 passphrases come from (the desktop's keyring, or the
    // user once per run), and where the hosts' communities are kept; the
    // monitor asks for the passphrases and the chosen host's community again
    // at once.
    void SetPassphraseKeeper(V3PassphraseKeeper& keeper);

    // MonitorView
    void ShowError(const QString& message) override;
    void ShowMessageBox(const QString& text, const QString& caption) override;
    TAlarmSettings CurrentAlarmSettings() const override;
    bool OpenDocument(const QString& path) override;
    bool RequestV3Passphrases(const QString& user) override;
    void RecallCommunity(const QString& host) override;
    void KeepCommunity(const QString& host, const QString& community) override;

    // Puts the monitor's status onto the controls.
    void ShowStatus(const MonitorStatus& status);

  signals:
    // "?" > "&About...".
    void AboutRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Where a control goes when the window is larger than its smallest size:
    // the extra width goes to the traffic log, the graph and the interface
    // table, the extra height half to the log and half to the graph.
    enum class Room { RightEdge, Log, Graph, Caption, Below, BelowRight, BelowWide, Wide };
    struct Follower {
        QWidget* widget;
        QRect base;
        Room room;
        // For a caption: the share of the largest value it stands for.
        double share = 0;
    };
    void Follow(QWidget* widget, Room room, double share = 0);
    void FitToSize();
    int SmallestHeight() const;
    void RestoreGeometry();
    void SetTableShown(bool shown);
    void BuildInputs(QWidget* client);
    void BuildIntervalGroup(QWidget* client);
    void BuildGraphArea(QWidget* client);
    void BuildBottomRows(QWidget* client);
    void BuildInterfaceGroup(QWidget* client);
    void BuildMenus();
    void BuildStatusBar();
    void ShowInterfaceTable();
    // "Reset all" starts from the window's compact layout.
    void ResetAll();
    void ShowHosts(const MonitorStatus& status);
    void ShowInterfaceList(const MonitorStatus& status);
    void DiscoveryEnded(const DiscoveryOutcome& outcome);
    void ShowAllInterfaces();
    // Polls the interface list's entry; what a choice in the list does.
    void ChooseEntry(int entry);
    void ShowDeviceInfo();
    void ShowHistory();
    void ToggleAlwaysOnTop();
    void ShowCommunityClick();
    void ShowGraph();

    MessageBoxes& boxes_;
    DesktopUrlOpener desktop_;
    UrlOpener* opener_ = &desktop_;
    Monitor monitor_;
    TrafficGraphPicture graphPicture_;
    GraphKeeper graphKeeper_{boxes_, *this, *this};
    DesktopNotifier notifier_;
    QVector<Follower> followers_;
    bool tableShown_ = false;
    TForm3* options_ = nullptr;
    V3PassphraseKeeper* keeper_ = nullptr;
    // Opened when the history window is first asked for.
    std::unique_ptr<history::HistoryStore> historyStore_;
    // The status the controls show.
    MonitorStatus shown_;

    QComboBox* hostCombo_ = nullptr;
    QComboBox* interfaceList_ = nullptr;
    QLineEdit* communityEdit_ = nullptr;
    QCheckBox* showCommunity_ = nullptr;
    QLineEdit* bandwidthEdit_ = nullptr;
    QPushButton* firstContactButton_ = nullptr;
    QPushButton* startButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QPushButton* pollOnceButton_ = nullptr;
    QPushButton* resetAllButton_ = nullptr;
    QMap<int, QRadioButton*> intervalButtons_;
    MessageListView* messageView_ = nullptr;
    QLabel* graphArea_ = nullptr;
    QVector<QLabel*> scaleCaptions_;
    QLabel* unitCaption_ = nullptr;
    QVector<QLabel*> percentCaptions_;
    QVector<QRadioButton*> graphTypeButtons_;
    QPushButton* interfaceInfoButton_ = nullptr;
    QLabel* totalInValue_ = nullptr;
    QLabel* totalOutValue_ = nullptr;
    QLabel* totalCombinedValue_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QGroupBox* interfaceGroup_ = nullptr;
    InterfaceGrid* interfaceGrid_ = nullptr;
    QLabel* statusPanels_[2] = {nullptr, nullptr};
    QAction* showDeviceInfoAction_ = nullptr;
    QAction* allInterfacesAction_ = nullptr;
    AllInterfacesWindow* allInterfaces_ = nullptr;
    QAction* alwaysOnTopAction_ = nullptr;
    QAction* writeLogAction_ = nullptr;
    QAction* writeDebugLogAction_ = nullptr;
};

}  // namespace pulsewell

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QtTest>

#include "app/HistoryWindow.h"
#include "core/polling/HistoryRecorder.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/support/WindowFinders.h"
#include "tests/support/WindowUnderTest.h"

using namespace pulsewell::test;
using pulsewell::TForm3;

// The options dialog as the program creates it after the main window, with
// its real settings file in a fresh folder.
class OptionsDialogTest : public QObject {
    Q_OBJECT

    QString StorePath() const {
        return ui_->home.ConfigFolder() + QStringLiteral("/Tarnwick/Pulsewell.conf");
    }
    QString Stored(const QString& name) const {
        return QSettings(StorePath(), QSettings::IniFormat).value(name).toString();
    }
    void Store(const QString& name, const QString& value) {
        QSettings(StorePath(), QSettings::IniFormat).setValue(name, value);
    }
    QByteArray StoreContent() const {
        QFile file(StorePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    const pulsewell::TRAGGraph& Utilization() {
        return ui_->Window().GraphPicture().Engine().Graphs()[6];
    }
    TForm3& OpenOptions() {
        FindAction(ui_->Window(), "Options")->trigger();
        return ui_->Options();
    }
    template <typename T = QLineEdit>
    T* Control(const char* name) {
        return ui_->Options().findChild<T*>(QString::fromLatin1(name));
    }
    void Click(const QString& text) {
        QAbstractButton* button = FindByText<QAbstractButton>(ui_->Options(), text);
        QVERIFY2(button, qPrintable(text));
        QTest::mouseClick(button, Qt::LeftButton);
    }

  private slots:
    void init() {
        ui_.emplace();
        QVERIFY(ui_->Open(reader_));
    }
    void cleanup() { ui_.reset(); }

    void firstStartStoresTheNineDefaults() {
        QSettings store(StorePath(), QSettings::IniFormat);
        QStringList stored;
        for (const QString& key : store.allKeys()) {
            stored.append(key + u'=' + store.value(key).toString());
        }
        stored.sort();
        QCOMPARE(stored,
                 QStringList({"highalarmactive=no", "highvalue=70", "highvaluecolor=clred",
                              "lowalarmactive=no", "lowvalue=20", "lowvaluecolor=clLime",
                              "normalvaluecolor=clYellow", "onerrors=continue", "show=bits"}));
        TForm3& dialog = OpenOptions();
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
        QCOMPARE(dialog.focusWidget(), Button(dialog, "OK"));
        QVERIFY(FindByText<QRadioButton>(dialog,
                                         "Continue polling with zero values when errors "
                                         "occur")
                    ->isChecked());
        QVERIFY(FindByText<QRadioButton>(dialog, "Show bit values")->isChecked());
        QCOMPARE(Control("lowValueEdit")->text(), QStringLiteral("20"));
        QCOMPARE(Control<QComboBox>("highColorPicker")->currentText(), QStringLiteral("clRed"));
        QVERIFY(ui_->prompts.errors.isEmpty());
    }

    // What OK stores for each picker and what reaches the utilization bars.
    void okStoresTheColoursAsTheTableWritesThem() {
        Store("normalvaluecolor", "$00123456");  // a hand edit outside the picker
        Store("lowvaluecolor", "65280");         // lime in integer form
        TForm3& dialog = OpenOptions();
        QCOMPARE(Control<QComboBox>("normalColorPicker")->currentText(),
                 QStringLiteral("$00123456"));
        QCOMPARE(Control<QComboBox>("lowColorPicker")->currentText(), QStringLiteral("clLime"));
        auto* low = Control<QComboBox>("lowColorPicker");
        low->setCurrentIndex(low->findText("clBtnFace"));
        Click("OK");
        QVERIFY(!dialog.isVisible());
        QCOMPARE(Stored("highvaluecolor"), QStringLiteral("clRed"));
        QCOMPARE(Stored("normalvaluecolor"), QStringLiteral("$00123456"));
        QCOMPARE(Stored("lowvaluecolor"), QStringLiteral("clBtnFace"));
        QCOMPARE(Utilization().HighColor(), 0x0000FFu);
        QCOMPARE(Utilization().MidColor(), 0x123456u);
        QCOMPARE(Utilization().Color(), 0xFF00000Fu);

        // A colour text that is neither falls back to its default; every other value loads.
        Store("highvaluecolor", "clPink");
        Store("lowvalue", "33");
        OpenOptions();
        QCOMPARE(ui_->prompts.errors, QStringList("'clPink' is no colour for 'highvaluecolor' in " +
                                                  StorePath() + ": the default clred applies"));
        QCOMPARE(
            Control<QComboBox>("highColorPicker")->currentText() + Control("lowValueEdit")->text(),
            QStringLiteral("clRed33"));
    }

    void cancelRestoresTheThresholdAndTheErrorPolicy() {
        const pulsewell::TMonitorState& state = ui_->Window().monitor().State();
        TForm3& dialog = OpenOptions();
        Control("highValueEdit")->setText("90");
        Click("Stop polling when errors occur");
        QVERIFY(!state.ContinueWithZeroes);  // at once, before OK or Cancel
        Click("Cancel");
        QVERIFY(!dialog.isVisible());
        QVERIFY(state.ContinueWithZeroes);
        QCOMPARE(Control("highValueEdit")->text(), QStringLiteral("70"));
        QCOMPARE(Stored("highvalue"), QStringLiteral("70"));
        QCOMPARE(Stored("onerrors"), QStringLiteral("continue"));
        QCOMPARE(Utilization().HighThreshold(), 70);

        // OK keeps the policy and brings the stored thresholds to the graph.
        OpenOptions();
        Control("highValueEdit")->setText("90");
        Click("Stop polling when errors occur");
        Click("OK");
        QVERIFY(!state.ContinueWithZeroes);
        QCOMPARE(Stored("onerrors"), QStringLiteral("stop"));
        QCOMPARE(Utilization().HighThreshold(), 90);
        QCOMPARE(Utilization().LowThreshold(), 20);
    }

    void okWithThresholdsItRefusesStoresNothing() {
        const QByteArray before = StoreContent();
        TForm3& dialog = OpenOptions();
        Click("Show octet (byte) values");
        const std::array<QStringList, 4> cases = {{
            {"80", "", QString::fromUtf8("'' ist kein gültiger Integerwert")},
            {"101", "20", "The high value must be a percentage from 0 to 100, not 101."},
            {"70", "-1", "The low value must be a percentage from 0 to 100, not -1."},
            {"30", "40", "The low value (40) must not be above the high value (30)."},
        }};
        for (const QStringList& c : cases) {
            ui_->prompts.errors.clear();
            Control("highValueEdit")->setText(c[0]);
            Control("lowValueEdit")->setText(c[1]);
            Click("OK");
            QCOMPARE(ui_->prompts.errors, QStringList(c[2]));
            QVERIFY(dialog.isVisible());
        }
        QCOMPARE(StoreContent(), before);
        QVERIFY(!ui_->Window().monitor().State().ShowBytes);
    }

    void emptiedSoundFileKeepsTheStoredFile() {
        Store("highalarmfile", "/sounds/alarm.wav");
        OpenOptions();
        QCOMPARE(Control("highAlarmFileEdit")->text(), QStringLiteral("/sounds/alarm.wav"));
        Control("highAlarmFileEdit")->clear();
        Click("OK");
        QCOMPARE(Stored("highalarmfile"), QStringLiteral("/sounds/alarm.wav"));
        QCOMPARE(Control("highAlarmFileEdit")->text(), QStringLiteral("/sounds/alarm.wav"));
        QCOMPARE(ui_->Window().CurrentAlarmSettings().HighAlarmFile,
                 QStringLiteral("/sounds/alarm.wav"));
    }

    void soundFileButtonsTakeOnlyWavePaths() {
        OpenOptions();
        const QString folder = ui_->home.ProgramFolder();
        struct Case {
            QString chosen;
            QString expectedEdit;
            bool refused;
        } cases[] = {
            {folder + "alarm.WAV", folder + "alarm.WAV", false},
            {folder + "alarm.mp3", folder + "alarm.WAV", true},
            {folder + "bells.wav/ring.ogg", folder + "bells.wav/ring.ogg", false},
            {QString(), folder + "bells.wav/ring.ogg", false},  // cancelled
        };
        auto* lowBrowse = Control<QPushButton>("lowAlarmFileButton");
        for (const Case& c : cases) {
            ui_->prompts.information.clear();
            ui_->prompts.chosenFile = c.chosen;
            QTest::mouseClick(lowBrowse, Qt::LeftButton);
            QCOMPARE(Control("lowAlarmFileEdit")->text(), c.expectedEdit);
            QCOMPARE(ui_->prompts.information,
                     c.refused ? QStringList("Please select a wave file (*.wav)!") : QStringList());
        }
        QCOMPARE(Control("highAlarmFileEdit")->text(), QString());
        QCOMPARE(ui_->prompts.fileDialogFolders.first(), folder);
        // Stored by OK only.
        QCOMPARE(Stored("lowalarmfile"), QString());
        Click("OK");
        QCOMPARE(Stored("lowalarmfile"), folder + "bells.wav/ring.ogg");
    }

    void okWithBytesShowsTheByteSeriesAtOnce() {
        pulsewell::TrafficGraph& graph = ui_->Window().monitor().Graph();
        for (const std::int64_t value : {1000, 4000}) {
            graph.AddSample(pulsewell::TrafficSeries::InBits, value * 8);
            graph.AddSample(pulsewell::TrafficSeries::OutBits, value * 4);
            graph.AddSample(pulsewell::TrafficSeries::InBytes, value);
            graph.AddSample(pulsewell::TrafficSeries::OutBytes, value / 2);
        }
        graph.Graphupdate();
        QCOMPARE(LabelText(ui_->Window(), "unitCaption"), QStringLiteral("Bit/sec"));
        FindAction(ui_->Window(), "History...")->trigger();
        auto* history = ui_->Window().findChild<pulsewell::HistoryWindow*>();
        QVERIFY(!history->View().ShowsBytes());
        OpenOptions();
        Click("Show octet (byte) values");
        Click("OK");
        QVERIFY(history->View().ShowsBytes());
        QCOMPARE(Stored("show"), QStringLiteral("bytes"));
        QVERIFY(ui_->Window().monitor().State().ShowBytes);
        QCOMPARE(LabelText(ui_->Window(), "unitCaption"), QStringLiteral("Bytes/sec"));
        QCOMPARE(graph.Captions().Top.Text, QLocale().toString(qlonglong{4000}));
        const auto& series = ui_->Window().GraphPicture().Engine().Graphs();
        QVERIFY(series[3].Visible() && series[4].Visible());
        QVERIFY(!series[0].Visible() && !series[1].Visible());
        QCOMPARE(series[3].Values().Count(), 2);
    }

    // The history switch shows what is stored; OK stores a change, which the
    // recorder reads before its next poll, and Cancel stores nothing.
    void historySwitchIsStoredByOkOnly() {
        const struct {
            const char* button;
            bool shownBefore;
            const char* stored;
        } steps[] = {
            {"Cancel", true, ""},  // nothing stored: recording is on
            {"OK", true, "no"},
            {"OK", false, "yes"},
        };
        for (const auto& step : steps) {
            OpenOptions();
            auto* keep = Control<QCheckBox>("keepHistoryCheck");
            QCOMPARE(keep->isChecked(), step.shownBefore);
            Click("Keep a history of the readings");
            Click(QString::fromLatin1(step.button));
            QCOMPARE(Stored("historyrecording"), QString::fromLatin1(step.stored));
            QCOMPARE(pulsewell::StoredHistorySettings().recording,
                     Stored("historyrecording") != "no");
        }
    }

    // The version reaches the store and the monitor only through OK, and
    // from then on every request goes out in it.
    void snmpVersionIsStoredByOkOnly() {
        pulsewell::Monitor& monitor = ui_->Window().monitor();
        TForm3& dialog = OpenOptions();
        QVERIFY(FindByText<QRadioButton>(dialog, "SNMPv1 (32-bit counters)")->isChecked());
        Click("SNMPv2c (64-bit counters)");
        Click("Cancel");
        QVERIFY(!QSettings(StorePath(), QSettings::IniFormat).contains("snmpversion"));
        QCOMPARE(monitor.State().Device.Version, pulsewell::SnmpVersion::V1);

        OpenOptions();
        QVERIFY(FindByText<QRadioButton>(dialog, "SNMPv1 (32-bit counters)")->isChecked());
        Click("SNMPv2c (64-bit counters)");
        Click("OK");
        QCOMPARE(Stored("snmpversion"), QStringLiteral("2c"));
        QCOMPARE(monitor.State().Device.Version, pulsewell::SnmpVersion::V2c);
        monitor.FirstContact();
        QCOMPARE(reader_.version, pulsewell::SnmpVersion::V2c);
    }

    // The dialog keeps its size with SNMPv1 and SNMPv2c and grows by the SNMPv3
    // fields only while SNMPv3 is chosen; the passphrases show while asked for.
    void onlySnmpV3GrowsTheDialogAndItsPassphrasesShowOnRequest() {
        TForm3& dialog = OpenOptions();
        for (const auto& [version, v3] : {std::pair{"SNMPv2c (64-bit counters)", false},
                                          std::pair{"SNMPv3 (64-bit counters)", true},
                                          std::pair{"SNMPv1 (32-bit counters)", false}}) {
            Click(version);
            QVERIFY(v3 ? dialog.height() > 249 : dialog.size() == QSize(352, 249));
            QCOMPARE(!Control<QGroupBox>("snmpV3Group")->isHidden(), v3);
            QVERIFY(Button(dialog, "OK")->geometry().bottom() < dialog.height());
        }
        Click("SNMPv3 (64-bit counters)");
        Click("show passphrases");
        QCOMPARE(Control("snmpV3AuthPassphraseEdit")->echoMode(), QLineEdit::Normal);
        QCOMPARE(Control("snmpV3PrivPassphraseEdit")->echoMode(), QLineEdit::Normal);
        Click("Cancel");
        OpenOptions();  // masked again
        QCOMPARE(Control("snmpV3AuthPassphraseEdit")->echoMode(), QLineEdit::Password);
        QCOMPARE(Control("snmpV3PrivPassphraseEdit")->echoMode(), QLineEdit::Password);
    }

    void deviceInfoShowsTheReportUntilOptionsRestoresTheDialog() {
        for (const char* object : {"2", "4", "6", "7"}) {  // a device that answers all
            reader_.Answer(QStringLiteral("1.3.6.1.2.1.1.%1.0").arg(object), "x");
        }
        reader_.Answer("1.3.6.1.2.1.1.1.0", "Cisco IOS Software\r\nTechnical Support\r\n");
        reader_.Answer("1.3.6.1.2.1.1.5.0", "Profiler3750");
        ui_->Window().monitor().StopPolling();  // enables "Show device info", as stopping does
        FindAction(ui_->Window(), "Show device info")->trigger();

        TForm3& dialog = ui_->Options();
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Device Info"));
        auto* memo = Control<QPlainTextEdit>("deviceInfoMemo");
        QVERIFY(memo->isVisible());
        QVERIFY(memo->verticalScrollBar()->isVisible());
        QTest::keyClicks(memo, "typed");
        QVERIFY(!memo->toPlainText().contains("typed"));
        QCOMPARE(memo->toPlainText().split(u'\n').mid(0, 5),
                 QStringList({"System description: ", "Cisco IOS Software", "Technical Support",
                              "System Name: ", "Profiler3750"}));
        auto* ok = Control<QPushButton>("deviceInfoOkButton");
        QCOMPARE(dialog.focusWidget(), ok);
        QVERIFY(!Button(dialog, "Cancel")->isVisible());
        QVERIFY(!Button(dialog, "OK")->isVisible());
        // For looking at.
        QVERIFY(dialog.grab().save(QCoreApplication::applicationDirPath() + "/device-info.png"));

        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        OpenOptions();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Options"));
        QVERIFY(!memo->isVisible());
        QVERIFY(!ok->isVisible());
        QVERIFY(Button(dialog, "Cancel")->isVisible());
        QCOMPARE(dialog.focusWidget(), Button(dialog, "OK"));
    }

  private:
    ScriptedDeviceReader reader_;
    std::optional<WindowUnderTest> ui_;
};

QTEST_MAIN(OptionsDialogTest)
#include "OptionsDialogTest.moc"

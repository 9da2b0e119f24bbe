#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

#include "app/MessageBoxes.h"
#include "core/trafficgraph/GraphData.h"
#include "options/OptionsPrompts.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/fakes/SteppingClock.h"
#include "tests/support/WindowFinders.h"
#include "tests/support/WindowUnderTest.h"

using pulsewell::TForm1;

using namespace pulsewell::test;

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ui_.emplace();
        QVERIFY(ui_->Open(reader_));
        UseSteppingClock(ui_->Window().monitor());
    }
    void cleanup() { ui_.reset(); }

    void startsWithTheDocumentedState() {
        TForm1& w = ui_->Window();
        QCOMPARE(w.windowTitle(), QStringLiteral("Pulsewell"));
        QCOMPARE(w.size(), QSize(824, 540));
        QVERIFY(w.windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);

        auto* community = w.findChild<QLineEdit*>("communityEdit");
        QCOMPARE(community->text(), QStringLiteral("cobalt"));
        QCOMPARE(community->displayText(), QStringLiteral("******"));
        QCOMPARE(w.findChild<QLineEdit*>("bandwidthEdit")->text(), QStringLiteral("0"));
        auto* interfaces = w.findChild<QComboBox*>("interfaceList");
        QCOMPARE(interfaces->count(), 0);
        QVERIFY(!interfaces->isEnabled());
        QCOMPARE(w.findChild<QComboBox*>("hostCombo")->currentText(), QString());

        QVERIFY(FindByText<QPushButton>(w, "&First contact")->isEnabled());
        QVERIFY(!FindByText<QPushButton>(w, "&Start polling")->isEnabled());
        QVERIFY(!FindByText<QPushButton>(w, "Sto&p polling")->isEnabled());
        QVERIFY(FindByText<QRadioButton>(w, "every 6 sec")->isChecked());
        QVERIFY(FindByText<QRadioButton>(w, "Show traffic IN/OUT separate")->isChecked());
        QVERIFY(!FindByText<QCheckBox>(w, "show community")->isChecked());
        for (const char* total : {"totalIn", "totalOut", "totalCombined"}) {
            QCOMPARE(LabelText(w, total), QStringLiteral("0"));
        }
        QCOMPARE(LabelText(w, "statusPanel0"), QString());
        QCOMPARE(w.findChild<QLabel*>("statusPanel0")->width(), 500);
        // With no samples the scale captions all read zero.
        int zeroCaptions = 0;
        for (QLabel* label : w.findChildren<QLabel*>()) {
            zeroCaptions += label->text() == "0" && label->isVisible() &&
                            label->objectName().startsWith("scaleCaption");
        }
        QCOMPARE(zeroCaptions, 5);
        QVERIFY(!FindAction(w, "Show device info")->isEnabled());
        QVERIFY(!FindAction(w, "Always On Top")->isChecked());
    }

    void showsEveryCaption() {
        TForm1& w = ui_->Window();
        for (const char* text :
             {"IP Address:", "Interface number:", "SNMP read community:", "Bandwidth in bit",
              "Traffic log:", "Bit/sec",
              "Accumulated traffic IN (green): ", "Accumulated traffic OUT (blue): ",
              "Accumulated traffic combined (red): ", "Bytes"}) {
            auto* label = FindByText<QLabel>(w, QString::fromLatin1(text));
            QVERIFY2(label && label->isVisible(), text);
        }
        for (const char* text : {"&First contact", "&Start polling", "Sto&p polling",
                                 "Show interface information", "&Quit"}) {
            auto* button = FindByText<QPushButton>(w, QString::fromLatin1(text));
            QVERIFY2(button && button->isVisible(), text);
        }
        for (const char* text :
             {"every 3 sec", "every 6 sec", "every 15 sec", "every 30 sec", "every 60 sec",
              "every 120 sec", "every 300 sec", "Show traffic IN/OUT separate",
              "Show traffic IN/OUT combined", "Show utilization"}) {
            auto* radio = FindByText<QRadioButton>(w, QString::fromLatin1(text));
            QVERIFY2(radio && radio->isVisible(), text);
        }
        QStringList groups;
        for (QGroupBox* group : w.findChildren<QGroupBox*>()) {
            groups.append(group->title());
        }
        for (const char* text : {"Polling interval", "Graph type", "Interface Information"}) {
            QVERIFY2(groups.contains(QString::fromLatin1(text)), text);
        }
        for (const char* text :
             {"Show device info", "&Exit", "Options", "Reset all", "Always On Top",
              "Write log file", "Write debug log", "&About..."}) {
            QVERIFY2(FindAction(w, QString::fromLatin1(text)), text);
        }
        QStringList menus;
        for (QAction* action : w.menuBar()->actions()) {
            menus.append(action->text());
        }
        QCOMPARE(menus, (QStringList{"File", "Tools", "?"}));
    }

    void keepsItsNeverShownControlsHidden() {
        TForm1& w = ui_->Window();
        for (const char* text : {"Poll once", "&Reset all"}) {
            auto* button = FindByText<QPushButton>(w, QString::fromLatin1(text));
            QVERIFY2(button && !button->isVisible(), text);
        }
        auto* everySecond = FindByText<QRadioButton>(w, "every 1 sec");
        QVERIFY(everySecond && !everySecond->isVisible());
        for (const char* text : {"100%", "75%", "50%", "25%"}) {
            auto* caption = FindByText<QLabel>(w, QString::fromLatin1(text));
            QVERIFY2(caption && !caption->isVisible(), text);
        }
    }

    void showCommunityTogglesTheMaskOnly() {
        TForm1& w = ui_->Window();
        auto* community = w.findChild<QLineEdit*>("communityEdit");
        auto* show = FindByText<QCheckBox>(w, "show community");
        QTest::mouseClick(show, Qt::LeftButton);
        QCOMPARE(community->displayText(), QStringLiteral("cobalt"));
        QTest::mouseClick(show, Qt::LeftButton);
        QCOMPARE(community->displayText(), QStringLiteral("******"));
        QCOMPARE(community->text(), QStringLiteral("cobalt"));
        QCOMPARE(w.monitor().State().Device.Community, QStringLiteral("cobalt"));
    }

    void alwaysOnTopTogglesWithItsCheckMark() {
        TForm1& w = ui_->Window();
        QAction* onTop = FindAction(w, "Always On Top");
        onTop->trigger();
        QVERIFY(onTop->isChecked());
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w.isVisible());
        onTop->trigger();
        QVERIFY(!onTop->isChecked());
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(w.isVisible());
    }

    void interfaceTableGrowsAndShrinksTheWindow() {
        TForm1& w = ui_->Window();
        auto* toggle = FindByText<QPushButton>(w, "Show interface information");
        auto* quit = FindByText<QPushButton>(w, "&Quit");
        QCOMPARE(quit->y(), 428);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(toggle->text(), QStringLiteral("Hide interface information"));
        QCOMPARE(w.height(), 720);
        QCOMPARE(quit->y(), 610);
        QStringList titles;
        auto* grid = w.findChild<QTableWidget*>();
        for (int c = 0; c < grid->columnCount(); ++c) {
            titles.append(grid->horizontalHeaderItem(c)->text());
        }
        QCOMPARE(titles, (QStringList{"Interface", "Description", "Speed", "Duplex", "MAC Address",
                                      "MTU", "AdminStatus", "OperStatus", "ifType"}));
        QCOMPARE(grid->rowCount(), 1);
        QTest::mouseClick(toggle, Qt::LeftButton);
        QCOMPARE(toggle->text(), QStringLiteral("Show interface information"));
        QCOMPARE(w.height(), 540);
        QCOMPARE(quit->y(), 428);
    }

    void interfaceGridMirrorsTheTable() {
        TForm1& w = ui_->Window();
        auto* grid = w.findChild<QTableWidget*>();
        const int widths[] = {57, 216, 74, 56, 102, 53, 67, 69, 133};
        for (int c = 0; c < grid->columnCount(); ++c) {
            QCOMPARE(grid->columnWidth(c), widths[c]);
        }
        auto& table = w.monitor().Table();
        table.SetRowCount(4);
        table.SetCell(1, 3, "eth9");
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->item(2, 1)->text(), QStringLiteral("eth9"));
        QCOMPARE(grid->rowHeight(2), 16);
        QVERIFY(!(grid->item(2, 1)->flags() & Qt::ItemIsEditable));
        table.ClearDataCells();
        QCOMPARE(grid->item(2, 1)->text(), QString());
        table.SetCell(0, 1, "7");
        table.SetRowCount(2);  // shrinks; the first row stays as it was
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("7"));
        QCOMPARE(grid->horizontalHeaderItem(4)->text(), QStringLiteral("MAC Address"));
        FindAction(w, "Reset all")->trigger();
        QCOMPARE(grid->item(0, 0)->text(), QString());
    }

    void resetAllZeroesTotalsAndClearsTheMessages() {
        TForm1& w = ui_->Window();
        pulsewell::Monitor& monitor = w.monitor();
        const auto& state = monitor.State();
        monitor.SetHost("10.1.1.1");
        monitor.PollInterface("3");
        monitor.SetBandwidth("100");
        for (const char* octets : {"1000", "2500"}) {  // 1500 bytes each way
            reader_.Answer("1.3.6.1.2.1.2.2.1.16.3", octets);
            reader_.Answer("1.3.6.1.2.1.2.2.1.10.3", octets);
            monitor.PollOnce();
        }
        monitor.SetWriteLog(true);
        QCOMPARE(state.Traffic.Total.Combined, 3000);
        QCOMPARE(monitor.Messages().Count(), 1);
        FindAction(w, "Reset all")->trigger();
        QCOMPARE(w.findChild<QPlainTextEdit*>("messageList")->toPlainText(), QString());
        QCOMPARE(state.Traffic.Total.Combined, 0);
        QCOMPARE(LabelText(w, "totalCombined"), QStringLiteral("0"));
        QCOMPARE(w.findChild<QLineEdit*>("bandwidthEdit")->text(), QStringLiteral("0"));
        QCOMPARE(state.PolledInterface, QStringLiteral("3"));
        QVERIFY(state.Schedule.WriteLog);  // survives a reset
        QVERIFY(ui_->boxes.errors.isEmpty());
    }

    void messageListViewFollowsTrimming() {
        TForm1& w = ui_->Window();
        auto& messages = w.monitor().Messages();
        for (int i = 0; i < 1002; ++i) {
            messages.Append(QString::number(i));
        }
        messages.Trim();
        const QStringList shown =
            w.findChild<QPlainTextEdit*>("messageList")->toPlainText().split('\n');
        QCOMPARE(shown.size(), 1000);
        QCOMPARE(shown.first(), QStringLiteral("2"));
        QCOMPARE(shown.last(), QStringLiteral("1001"));
    }

    void hostComboTextIsTheHostKeyByKeyAndOnlyLoadOrPollingAddsEntries() {
        WriteHostFile("router1\r\nrouter2\r\n");
        TForm1& w = ui_->Window();
        FindAction(w, "Reset all")->trigger();
        auto* combo = w.findChild<QComboBox*>("hostCombo");
        auto* other = w.findChild<QLineEdit*>("bandwidthEdit");
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(combo->isEditable());
        struct Case {
            const char* typed;
            QStringList hostAfterEachKey;
        };
        const Case cases[] = {
            {"r", {"r"}},  // no completion from "router1"
            {"ROUTER1", {"R", "RO", "ROU", "ROUT", "ROUTE", "ROUTER", "ROUTER1"}},
            {"new", {"n", "ne", "new"}},
        };
        for (const Case& c : cases) {
            combo->setFocus();
            combo->lineEdit()->selectAll();
            QStringList hosts;
            for (const char* key = c.typed; *key != '\0'; ++key) {
                QTest::keyClick(combo->lineEdit(), *key);
                hosts.append(w.monitor().State().Device.Host);
            }
            QCOMPARE(hosts, c.hostAfterEachKey);
            QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
            other->setFocus();  // focus leaves the combo
            const QString typed = QString::fromLatin1(c.typed);
            QCOMPARE(combo->currentText(), typed);
            QCOMPARE(w.monitor().State().Device.Host, typed);
            QCOMPARE(combo->count(), 2);
        }
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);  // the user chooses an entry
        QCOMPARE(w.monitor().State().Device.Host, combo->currentText());
        QVERIFY(combo->currentIndex() >= 0);
    }

    void missingStartProfileLeavesTheHostComboEmpty() {
        ui_.emplace();
        WriteHostFile("router1\r\n");
        QVERIFY(ui_->Open(reader_, "absent.ini"));
        auto* combo = ui_->Window().findChild<QComboBox*>("hostCombo");
        QCOMPARE(combo->count(), 0);
        QCOMPARE(combo->currentText(), QString());
        QCOMPARE(ui_->Window().monitor().State().Device.Host, QStringLiteral("router1"));
    }

    void windowGoesWhileTheHostComboHoldsAnEdit() {
        // The combo finishes its edit as focus leaves it on the way out; an
        // edit that matches another entry makes it choose that entry then.
        for (const char* typed : {"ROUTER1", "router2"}) {
            ui_.emplace();
            WriteHostFile("router1\r\nrouter2\r\n");
            QVERIFY(ui_->Open(reader_));
            TForm1& w = ui_->Window();
            auto* combo = w.findChild<QComboBox*>("hostCombo");
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            combo->setFocus();
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo->lineEdit(), typed);
            QCOMPARE(w.monitor().State().Device.Host, QString::fromLatin1(typed));
            ui_.reset();
        }
    }

    void scaleCaptionsShowWholeUpTo100Gbit() {
        TForm1& w = ui_->Window();
        QList<QLabel*> captions;
        for (int i = 0; i < 4; ++i) {
            captions.append(w.findChild<QLabel*>(QStringLiteral("scaleCaption%1").arg(i)));
            QVERIFY(captions.last());
        }
        const QFont windowFont = w.font();
        QFont large = windowFont;
        large.setPointSizeF(windowFont.pointSizeF() + 3);
        for (const QFont& font : {windowFont, large}) {
            w.setFont(font);
            for (const std::int64_t top : {std::int64_t{949973720}, std::int64_t{100000000000}}) {
                auto& graph = w.monitor().Graph();
                graph.ClearSeries();
                graph.AddSample(pulsewell::TrafficSeries::OutBits, top);
                graph.Graphupdate();
                QCOMPARE(captions[0]->text(), QLocale().toString(top));
                for (QLabel* caption : captions) {
                    const int needed = caption->fontMetrics().horizontalAdvance(caption->text());
                    QVERIFY2(needed <= caption->contentsRect().width(),
                             qPrintable(caption->text() + " in " + caption->font().toString()));
                }
            }
        }
    }

    // The test's screen is 1920x1080 (desktop-screen.json).
    void geometryComesBackFromTheSettingsFileWithinTheScreen_data() {
        QTest::addColumn<QRect>("left");
        QTest::addColumn<QRect>("restored");
        QTest::newRow("on the screen") << QRect(100, 80, 1000, 700) << QRect(100, 80, 1000, 700);
        QTest::newRow("partly off it") << QRect(1500, 900, 1000, 700) << QRect(920, 380, 1000, 700);
        QTest::newRow("larger than it") << QRect(-50, -40, 3000, 2000) << QRect(0, 0, 1920, 1080);
    }
    void geometryComesBackFromTheSettingsFileWithinTheScreen() {
        QFETCH(QRect, left);
        QFETCH(QRect, restored);
        ui_->Window().setGeometry(left);
        ui_->Window().StoreGeometry();
        TForm1 next(ui_->boxes, reader_, ui_->player);
        next.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        QCOMPARE(next.geometry(), restored);
    }

    // Values no window can have are refused before any arithmetic on them.
    void unreadableGeometryIsReportedAndTheWindowOpensAsUsual() {
        const QString range =
            "'%1' is no valid value for '%2' in %3 (a whole number from %4 to 16777215)";
        const char* cases[][3] = {{"windowwidth", "wide", nullptr},
                                  {"windowleft", "2147483647", "-16777215"},
                                  {"windowtop", "-2147483648", "-16777215"},
                                  {"windowwidth", "16777216", "0"},
                                  {"windowheight", "-1", "0"}};
        for (const auto& [name, value, least] : cases) {
            ui_->Window().StoreGeometry();
            QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Tarnwick", "Pulsewell");
            store.setValue(name, value);
            store.sync();
            ui_->boxes.errors.clear();
            TForm1 next(ui_->boxes, reader_, ui_->player);
            QCOMPARE(ui_->boxes.errors.value(0),
                     least ? range.arg(value, name, store.fileName(), least)
                           : QString("'%1' ist kein gültiger Integerwert").arg(value));
            QCOMPARE(next.size(), QSize(824, 540));
        }
    }

    // A device's value nested 3000 tables deep, as the conversion error quotes
    // it, overflowed the stack laid out as markup: boxes and labels show such
    // texts as they stand, cut with an ellipsis.
    void deviceTextIsShownPlainAndCut() {
        const QString hostile = QString("<table><tr><td>").repeated(3000);
        TForm1& w = ui_->Window();
        pulsewell::QtMessageBoxes boxes;
        pulsewell::QtOptionsPrompts prompts;
        const std::function<void()> shows[] = {
            [&] { boxes.ShowError(&w, hostile); },
            [&] { boxes.ShowMessage(&w, hostile, "Error"); },
            [&] { prompts.ShowError(&w, hostile); },
            [&] { prompts.ShowInformation(hostile); },
            [&] { prompts.AskV3Passphrases(&w, hostile, false); },
            [&] {
                pulsewell::MonitorStatus status = w.monitor().Status();
                status.statusText = hostile;
                w.ShowStatus(status);
            }};
        for (const auto& show : shows) {
            QList<std::pair<QString, Qt::TextFormat>> shown;
            QTimer::singleShot(0, [&] {  // a box is looked at while it waits, then closed
                QWidget* box = QApplication::activeModalWidget();
                for (const QLabel* label : (box ? box : &w)->findChildren<QLabel*>()) {
                    if (label->text().contains("<table>")) {
                        shown.append({label->text(), label->textFormat()});
                    }
                }
                if (box) {
                    box->close();
                }
            });
            show();
            QTest::qWait(10);
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown[0].second, Qt::PlainText);
            QVERIFY(shown[0].first.contains(hostile.left(1000) + QChar(0x2026)));
            QVERIFY(shown[0].first.size() < 1200);
        }
    }

    // More samples show in a larger window, none is lost; the scale follows them.
    void graphTakesTheRoomOfALargerWindow() {
        TForm1& w = ui_->Window();
        pulsewell::TrafficGraph& graph = w.monitor().Graph();
        for (int i = 0; i < 1000; ++i) {
            graph.AddSample(pulsewell::TrafficSeries::InBits, i == 600 ? 4000 : i);
        }
        graph.Graphupdate();
        const QSize sizes[] = {{824, 540}, {1600, 1000}, {900, 600}, {1600, 1000}};
        const char* tops[] = {"999", "4000", "999", "4000"};
        QList<int> shown;
        for (int i = 0; i < 4; ++i) {
            w.resize(sizes[i]);
            const auto& drawn = w.GraphPicture().Engine().Graphs()[0].Values();
            shown.append(graph.ShownSamples());
            QCOMPARE(shown[i], w.GraphPicture().Picture().width() / 3);
            QCOMPARE(drawn.Count(), shown[i]);
            QCOMPARE(drawn.GetItem(0), 1000 - shown[i]);
            QCOMPARE(drawn.GetItem(shown[i] - 1), 999);
            QCOMPARE(QString(graph.Captions().Top.Text).remove(QRegularExpression("\\D")), tops[i]);
        }
        QCOMPARE(shown[0], 230);
        QVERIFY(shown[1] > shown[2] && shown[2] > shown[0] && shown[3] == shown[1]);
    }

    // "File" > "Export graph data..." writes a row per poll the graph shows;
    // Ctrl+S saves the graph with its captions, F1 asks for the about dialog.
    void graphDataPictureAndKeys() {
        TForm1& w = ui_->Window();
        pulsewell::Monitor& monitor = w.monitor();
        // A host that a spreadsheet would take for a formula.
        monitor.SetHost("=10.1.1.1");
        monitor.PollInterface("3");
        monitor.SetBandwidth("100000");
        for (const char* octets : {"1000", "2500", "9000", "9100"}) {
            reader_.Answer("1.3.6.1.2.1.2.2.1.16.3", octets);
            reader_.Answer("1.3.6.1.2.1.2.2.1.10.3", octets);
            monitor.PollOnce();
        }
        const QString csv = ui_->home.ProgramFolder() + "graph.csv";
        const QString png = ui_->home.ProgramFolder() + "graph.png";
        ui_->boxes.answers = {csv, "/nonexistent/graph.csv", png};
        FindAction(w, "Export graph &data...")->trigger();
        FindAction(w, "Export graph &data...")->trigger();
        QSignalSpy about(&w, &TForm1::AboutRequested);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_F1);

        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList rows =
            QString::fromUtf8(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(rows.value(0),
                 QStringLiteral("Time,Host,Interface,IN bits/s,OUT bits/s,Utilization %"));
        // Rates over 6 s of 100,000 bit/s; the first poll measures nothing yet.
        const QStringList rates = {",,0.00", "2000,2000,4.00", "8667,8667,17.33", "133,133,0.27"};
        QCOMPARE(rows.size(), 5);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(rows[i + 1], monitor.Graph().PollTimes()[i].toUTC().toString(Qt::ISODate) +
                                      ",'=10.1.1.1,3," + rates[i]);
        }
        QCOMPARE(ui_->boxes.errors.size(), 1);
        QVERIFY(ui_->boxes.errors[0].startsWith("E/A-Fehler: /nonexistent/graph.csv"));
        // The picture as drawn, and under it what it shows.
        const QImage saved(png), drawn = w.GraphImage();
        QCOMPARE(saved.copy(drawn.rect()), drawn.convertToFormat(saved.format()));
        QVERIFY(saved.height() > drawn.height());
        QVERIFY(w.GraphImage().width() > w.GraphPicture().Picture().width());  // the captions
        QCOMPARE(pulsewell::GraphPictureCaption(monitor.Graph(), "=10.1.1.1", "3"),
                 "Host: =10.1.1.1; interface: 3; Bit/sec; from " + rows[1].section(',', 0, 0) +
                     " to " + rows[4].section(',', 0, 0));
        QVERIFY(ui_->boxes.suggestions.value(2).endsWith("/pulsewell-graph.png"));
        QCOMPARE(about.size(), 1);
    }

  private:
    void WriteHostFile(const QByteArray& content) {
        QFile file(ui_->home.ProgramFolder() + "hostfile.txt");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    pulsewell::test::ScriptedDeviceReader reader_;
    std::optional<pulsewell::test::WindowUnderTest> ui_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

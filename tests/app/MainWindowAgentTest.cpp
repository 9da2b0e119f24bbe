#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

#include "core/device/SnmpDeviceReader.h"
#include "tests/support/TestAgent.h"
#include "tests/support/WindowFinders.h"
#include "tests/support/WindowUnderTest.h"

using pulsewell::TForm1;
using pulsewell::test::Button;

namespace {

QStringList GridRow(const QTableWidget& grid, int row) {
    QStringList cells;
    for (int c = 0; c < grid.columnCount(); ++c) {
        const QTableWidgetItem* item = grid.item(row, c);
        cells.append(item ? item->text() : QStringLiteral("<none>"));
    }
    return cells;
}

}  // namespace

// The window as a user drives it, against the private snmpd and its two
// seeded interfaces: 1 "lo" and 2 "eth0".
class MainWindowAgentTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        pulsewell::test::ResetAgentState();
        ui_.emplace();
        QVERIFY(ui_->Open(reader_));
    }
    void cleanup() { ui_.reset(); }

    void firstContactSelectionAndPolling() {
        TForm1& w = ui_->Window();
        auto* exportButton = Button(w, "Export device info");
        QVERIFY(exportButton && !exportButton->isVisible());

        DiscoverAgent(w);

        QVERIFY2(ui_->boxes.errors.isEmpty(), qPrintable(ui_->boxes.errors.join("; ")));
        auto* grid = w.findChild<QTableWidget*>();
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(GridRow(*grid, 0),
                 (QStringList{"1", "lo", "10,000,000", "unknown", "No MAC available", "65536", "up",
                              "up", "softwareLoopback (24)"}));
        QCOMPARE(GridRow(*grid, 1),
                 (QStringList{"2", "eth0", "100,000,000", "unknown", "00 1A 2B 00 00 01 ", "1500",
                              "up", "up", "ethernet-csmacd (6)"}));
        QVERIFY(!(grid->item(1, 1)->flags() & Qt::ItemIsEditable));

        auto* interfaces = w.findChild<QComboBox*>("interfaceList");
        QCOMPARE(interfaces->count(), 2);
        QCOMPARE(interfaces->currentText(), QStringLiteral("1 - lo (up)"));
        QCOMPARE(w.findChild<QLabel*>("statusPanel0")->text(),
                 QStringLiteral("2 interfaces found"));
        QVERIFY(interfaces->isEnabled());
        QTRY_VERIFY(interfaces->hasFocus());
        auto* bandwidth = w.findChild<QLineEdit*>("bandwidthEdit");
        QCOMPARE(bandwidth->text(), QStringLiteral("10000000"));
        QVERIFY(exportButton->isVisible());
        QVERIFY(Button(w, "&Start polling")->isEnabled());
        QVERIFY(Button(w, "Sto&p polling")->isEnabled());
        QCOMPARE(QApplication::overrideCursor(), nullptr);

        // A double click on eth0's row, as the desktop sends it: a click, then the second press.
        QTest::mouseClick(Button(w, "Show interface information"), Qt::LeftButton);
        const QPoint eth0 = grid->visualRect(grid->model()->index(1, 4)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, eth0);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, eth0);
        QCOMPARE(interfaces->currentText(), QStringLiteral("2 - eth0 (up)"));
        QCOMPARE(bandwidth->text(), QStringLiteral("100000000"));
        QCOMPARE(w.monitor().State().PolledInterface, QStringLiteral("2"));

        QTest::mouseClick(Button(w, "&Start polling"), Qt::LeftButton);
        QVERIFY(w.monitor().IsPolling());
        QCOMPARE(w.monitor().State().Traffic.Out.Now.Counter, 1000);  // eth0's ifOutOctets
        QVERIFY(!Button(w, "&Start polling")->isEnabled());
        QVERIFY(!Button(w, "&First contact")->isEnabled());

        QTest::mouseClick(Button(w, "Sto&p polling"), Qt::LeftButton);
        QVERIFY(!w.monitor().IsPolling());
        QCOMPARE(w.findChild<QLabel*>("statusPanel0")->text(),
                 QStringLiteral("Polling stopped by user."));
        QVERIFY(Button(w, "&First contact")->isEnabled());
        QVERIFY2(ui_->boxes.errors.isEmpty(), qPrintable(ui_->boxes.errors.join("; ")));

        // For looking at: the window with the table shown.
        const QPixmap picture = w.grab();
        QCOMPARE(picture.size(), QSize(824, 720));
        QVERIFY(picture.save(QCoreApplication::applicationDirPath() + "/first-contact.png"));
    }

    void silentDeviceSaysSoInTheStatusBar() {
        TForm1& w = ui_->Window();
        QTest::keyClicks(w.findChild<QComboBox*>("hostCombo"), "127.0.0.1:9");  // discard port
        QTest::mouseClick(Button(w, "&First contact"), Qt::LeftButton);
        QCOMPARE(w.findChild<QLabel*>("statusPanel0")->text(),
                 QStringLiteral("Failure contacting device!"));
        QCOMPARE(w.monitor().Messages().LastLine(),
                 QStringLiteral("No answer: check the address, the port, the community and the "
                                "SNMP version"));
        QVERIFY(!Button(w, "Export device info")->isVisible());
        QVERIFY(!w.findChild<QComboBox*>("interfaceList")->isEnabled());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Esc and a host change end a "First contact" that waits for a silent device.
    void firstContactShowsItIsBusyAndCanBeCalledOff() {
        for (const auto& [key, status] :
             {std::pair{Qt::Key_Escape, "First contact called off."}, std::pair{Qt::Key_0, ""}}) {
            ui_.emplace();
            QVERIFY(ui_->Open(reader_, QString(), pulsewell::DeviceWorker::Threading::OwnThread));
            auto* host = ui_->Window().findChild<QComboBox*>("hostCombo");
            QTest::keyClicks(host, "127.0.0.1:9");
            QTest::mouseClick(Button(ui_->Window(), "&First contact"), Qt::LeftButton);
            QVERIFY(!Button(ui_->Window(), "&First contact")->isEnabled());
            auto* shown = ui_->Window().findChild<QLabel*>("statusPanel0");
            QCOMPARE(shown->text(), QStringLiteral("Reading the interface table..."));
            QTest::keyClick(host, key);  // a digit changes the host
            QVERIFY(Button(ui_->Window(), "&First contact")->isEnabled());
            QCOMPARE(shown->text(), QString::fromLatin1(status));
        }
    }

    void exportWritesTheFileThenAsksTheDesktop() {
        TForm1& w = ui_->Window();
        RefusingDesktop desktop;
        w.SetUrlOpener(desktop);
        QAction* showDeviceInfo = pulsewell::test::FindAction(w, "Show device info");
        QVERIFY(!showDeviceInfo->isEnabled());
        DiscoverAgent(w);
        QVERIFY(showDeviceInfo->isEnabled());

        QTest::mouseClick(Button(w, "Export device info"), Qt::LeftButton);

        const QString path = ui_->home.ProgramFolder() + "device_info.txt";
        QCOMPARE(desktop.opened, QList<QUrl>{QUrl::fromLocalFile(path)});
        QCOMPARE(ui_->boxes.errors, QStringList{"File open failed with Error: 31: " + path +
                                                " (the desktop found no program to open it)"});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine(), QByteArray("System description: \r\n"));
    }

    // What the settings file remembers of a host polled; a new window on the
    // same folders chooses the host again, and "&First contact" the interface,
    // also where the device numbered or named its interfaces anew.
    void aRestartBringsBackTheHostsInterfaceAndInterval() {
        const QString host = QString::fromStdString(pulsewell::test::TestAgentAddress());
        const char* stored[][2] = {{nullptr, nullptr}, {"9", "eth0"}, {"2", "eth9"}, {"1", "eth0"}};
        for (const auto& [interface, name] : stored) {
            ui_.emplace();
            QVERIFY(ui_->Open(reader_));
            DiscoverAgent(ui_->Window());
            QTest::keyClick(ui_->Window().findChild<QComboBox*>("interfaceList"), Qt::Key_Down);
            pulsewell::test::FindByText<QRadioButton>(ui_->Window(), "every 30 sec")->click();
            QTest::mouseClick(Button(ui_->Window(), "&Start polling"), Qt::LeftButton);
            QTest::mouseClick(Button(ui_->Window(), "Sto&p polling"), Qt::LeftButton);
            QSettings store(QSettings::NativeFormat, QSettings::UserScope, "Tarnwick", "Pulsewell");
            QCOMPARE(store.value("hosts/" + host + "/interfacename").toString(), QString("eth0"));
            if (interface) {
                store.setValue("hosts/" + host + "/interface", interface);
                store.setValue("hosts/" + host + "/interfacename", name);
                store.sync();
            }
            TForm1 next(ui_->boxes, reader_, ui_->player);
            QCOMPARE(next.findChild<QComboBox*>("hostCombo")->currentText(), host);
            QVERIFY(pulsewell::test::FindByText<QRadioButton>(next, "every 30 sec")->isChecked());
            // No keyring here: the community is typed again, as it was never stored.
            auto* community = next.findChild<QLineEdit*>("communityEdit");
            QCOMPARE(community->text(), QStringLiteral("cobalt"));
            community->setText(QString::fromLatin1(pulsewell::test::kTestAgentCommunity));
            QTest::mouseClick(Button(next, "&First contact"), Qt::LeftButton);
            // "2 - eth0 (up)": the entry's index is what counts.
            QCOMPARE(next.findChild<QComboBox*>("interfaceList")->currentText().section(u' ', 0, 0),
                     QString("2"));
            QVERIFY2(ui_->boxes.errors.isEmpty(), qPrintable(ui_->boxes.errors.join("; ")));
        }
    }

  private:
    // What the desktop does with no program registered for text files.
    class RefusingDesktop : public pulsewell::UrlOpener {
      public:
        bool Open(const QUrl& url) override {
            opened.append(url);
            return false;
        }
        QList<QUrl> opened;
    };

    // Types the agent's address and community and presses "&First contact".
    static void DiscoverAgent(TForm1& w) {
        auto* host = w.findChild<QComboBox*>("hostCombo");
        QTest::keyClicks(host, QString::fromStdString(pulsewell::test::TestAgentAddress()));
        auto* community = w.findChild<QLineEdit*>("communityEdit");
        community->selectAll();
        QTest::keyClicks(community, QString::fromLatin1(pulsewell::test::kTestAgentCommunity));
        QTest::mouseClick(Button(w, "&First contact"), Qt::LeftButton);
    }

    pulsewell::SnmpDeviceReader reader_;
    std::optional<pulsewell::test::WindowUnderTest> ui_;
};

QTEST_MAIN(MainWindowAgentTest)
#include "MainWindowAgentTest.moc"

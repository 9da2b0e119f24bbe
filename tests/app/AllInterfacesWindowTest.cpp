#include <QComboBox>
#include <QDBusConnection>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QtTest>
#include <memory>
#include <vector>

#include "app/AllInterfacesModel.h"
#include "app/AllInterfacesWindow.h"
#include "core/device/SnmpDeviceReader.h"
#include "core/sweep/OverviewColumns.h"
#include "graph/GraphColor.h"
#include "tests/support/CounterRamp.h"
#include "tests/support/TestAgent.h"
#include "tests/support/WindowFinders.h"
#include "tests/support/WindowUnderTest.h"

using namespace pulsewell;
using namespace pulsewell::test;

// The desktop's notification service on the test's own session bus.
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
  public:
    QStringList summaries;
  public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString&,
                const QStringList&, const QVariantMap&, int) {
        summaries.append(summary);
        return static_cast<uint>(summaries.size());
    }
};

// The window of every interface, opened from the main window after a first
// contact with the private snmpd.
class AllInterfacesWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        ResetAgentState();
        // Every column a sweep reads, on the agent's own two interfaces too.
        for (const int index : {1, 2}) {
            for (const char* column :
                 {"ifInErrors", "ifOutErrors", "ifInDiscards", "ifOutDiscards"}) {
                SetAgentInterfaceValue(index, column, "0");
            }
        }
        ui_.emplace();
        QVERIFY(ui_->Open(reader_));
    }
    void cleanup() {
        ui_.reset();
        ResetAgentState();
    }

    // Counters growing at a known pace show as that rate in the options'
    // unit, the utilization cells in the threshold colours, and the one above
    // the high threshold raises its event and notice once.
    void ratesFollowTheCountersInTheThresholdColours() {
        NotificationService service;
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "service");
        QVERIFY(bus.registerObject("/org/freedesktop/Notifications", &service,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.freedesktop.Notifications"));
        struct Case {
            int ifIndex;
            std::int64_t bytesPerSecond;
            double percent;  // of the 80,000 bit/s speed
            TColor color;
        };
        const TUtilizationBars& bars = ui_->Window().monitor().Graph().Bars();
        const Case cases[] = {
            {12, 1000, 10.0, bars.LowColor},
            {13, 5000, 50.0, bars.MidColor},
            {14, 9000, 90.0, bars.HighColor},
        };
        std::vector<std::unique_ptr<CounterRamp>> ramps;
        for (const Case& c : cases) {
            MakeInterface(c.ifIndex);
            ramps.push_back(std::make_unique<CounterRamp>(c.ifIndex, c.bytesPerSecond, "80000"));
        }
        // Long enough that an answer a tenth of a second late on a busy
        // machine moves the rates by less than 2 %.
        AllInterfacesWindow& window = OpenWindow("6 s");
        WaitForSweeps(window, 3);
        for (const Case& c : cases) {
            const QString name = QStringLiteral("ge-0/0/%1").arg(c.ifIndex);
            const int row = RowOf(window, c.ifIndex);
            QVERIFY2(row >= 0, qPrintable(name));
            QCOMPARE(Cell(window, row, OverviewColumn::Name), name);
            QCOMPARE(Cell(window, row, OverviewColumn::State), QString());
            const double bits = Cell(window, row, OverviewColumn::In).toDouble();
            QVERIFY2(qAbs(bits - 8.0 * c.bytesPerSecond) <= 0.05 * 8 * c.bytesPerSecond,
                     qPrintable(name + ": " + QString::number(bits)));
            QVERIFY(qAbs(Cell(window, row, OverviewColumn::InUtilization).toDouble() - c.percent) <
                    c.percent * 0.05);
            const QModelIndex utilization = window.Table()->model()->index(
                row, static_cast<int>(OverviewColumn::InUtilization));
            QCOMPARE(utilization.data(Qt::BackgroundRole).value<QColor>(),
                     QColor(ToQColor(c.color)));
        }
        // By number, not by text ("8000" would come before "72000").
        window.Table()->sortByColumn(static_cast<int>(OverviewColumn::In), Qt::DescendingOrder);
        QVERIFY(RowOf(window, 14) < RowOf(window, 13));
        QVERIFY(RowOf(window, 13) < RowOf(window, 12));
        const QStringList events = Lines(*window.Events());
        // Of the test's interfaces (the agent's lo may carry other tests' traffic).
        QCOMPARE(events.filter("Utilization high: ge-").size(), 1);
        QVERIFY2(events.filter("Utilization high: ge-0/0/14 (ifIndex 14) at ").size() == 1,
                 qPrintable(events.join('\n')));
        QTRY_VERIFY(service.summaries.filter("Utilization high: ge-").size() == 1);
        QVERIFY2(service.summaries.filter("ge-0/0/14 (ifIndex 14)").size() == 1,
                 qPrintable(service.summaries.join('\n')));

        // The options' unit: bytes.
        ui_->Window().monitor().SetShowBytes(true);
        WaitForSweeps(window, 1);
        QCOMPARE(window.Table()->model()->headerData(static_cast<int>(OverviewColumn::In),
                                                     Qt::Horizontal),
                 QVariant("IN bytes/s"));
        const double bytes = Cell(window, RowOf(window, 13), OverviewColumn::In).toDouble();
        QVERIFY2(qAbs(bytes - 5000) <= 150, qPrintable(QString::number(bytes)));
    }

    // A link going down and up again: its status, one line and one notice each.
    void linkChangesShowOncePerCrossing() {
        NotificationService service;
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "service");
        QVERIFY(bus.registerObject("/org/freedesktop/Notifications", &service,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService("org.freedesktop.Notifications"));
        MakeInterface(12);
        struct Step {
            const char* operStatus;
            const char* status;
            QStringList events;
        };
        const Step steps[] = {
            {"1", "up", {}},
            {"2", "down", {"Link down: ge-0/0/12 (ifIndex 12)"}},
            {"2", "down", {"Link down: ge-0/0/12 (ifIndex 12)"}},
            {"1", "up", {"Link down: ge-0/0/12 (ifIndex 12)", "Link up: ge-0/0/12 (ifIndex 12)"}},
        };
        AllInterfacesWindow& window = OpenWindow();
        for (const Step& step : steps) {
            SetAgentInterfaceValue(12, "ifOperStatus", step.operStatus);
            WaitForSweeps(window, 2);
            QCOMPARE(Cell(window, RowOf(window, 12), OverviewColumn::Status),
                     QString::fromLatin1(step.status));
            // Only ge-0/0/12's: other tests' loopback traffic may take the
            // agent's lo above the high threshold meanwhile.
            const auto ofTheInterface = [](const QStringList& lines) {
                QStringList own;
                for (const QString& line : lines) {
                    if (line.contains(QLatin1String("ge-0/0/12"))) {
                        own << line.mid(line.indexOf(QLatin1String("Link ")));
                    }
                }
                return own;
            };
            QCOMPARE(ofTheInterface(Lines(*window.Events())), step.events);
            QTRY_COMPARE(ofTheInterface(service.summaries), step.events);
        }
    }

    // A double click on a row polls that interface, as the interface list does.
    void doubleClickChoosesTheInterface() {
        MakeInterface(12);
        AllInterfacesWindow& window = OpenWindow();
        WaitForSweeps(window, 1);
        // The rows in another order than the list's entries.
        window.Table()->sortByColumn(static_cast<int>(OverviewColumn::Index), Qt::DescendingOrder);
        auto* list = ui_->Window().findChild<QComboBox*>("interfaceList");
        QTRY_VERIFY(list->isEnabled());
        for (const int ifIndex : {2, 12, 1}) {
            const QModelIndex cell = window.Table()->model()->index(RowOf(window, ifIndex), 1);
            window.Table()->scrollTo(cell);
            QWidget* viewport = window.Table()->viewport();
            const QPoint at = window.Table()->visualRect(cell).center();
            QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
            QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
            QCOMPARE(ui_->Window().monitor().State().PolledInterface, QString::number(ifIndex));
            QCOMPARE(list->currentIndex(),
                     ui_->Window().monitor().InterfaceEntries().indexOf(QString::number(ifIndex)));
        }
    }

    // Opened for another host, the window shows nothing of the one before;
    // the new rows sort by name as a person reads them.
    void anotherHostStartsClean() {
        MakeInterface(12);
        AllInterfacesWindow& window = OpenWindow();
        WaitForSweeps(window, 1);
        SetAgentInterfaceValue(12, "ifOperStatus", "2");
        QTRY_VERIFY_WITH_TIMEOUT(!Lines(*window.Events()).filter("Link down: ge-0/0/12").isEmpty(),
                                 15000);

        QCOMPARE(&OpenWindow("1 s", TestSimulatorAddress(), "cisco_16_switch"), &window);
        QCOMPARE(window.Events()->count(), 0);
        QCOMPARE(window.Table()->model()->rowCount(), 0);
        WaitForSweeps(window, 1);
        QCOMPARE(window.Table()->model()->rowCount(), 59);
        window.Table()->sortByColumn(static_cast<int>(OverviewColumn::Name), Qt::AscendingOrder);
        const int fa2 = RowOf(window, 11002);
        QCOMPARE(Cell(window, fa2, OverviewColumn::Name), QString("Fa3/0/2"));
        QVERIFY(fa2 + 1 == RowOf(window, 11003));
        QVERIFY(RowOf(window, 11009) + 1 == RowOf(window, 11010));
    }

  private:
    // An interface of the agent with every column a sweep reads.
    static void MakeInterface(int index) {
        const std::string name = "ge-0/0/" + std::to_string(index);
        for (const auto& [column, value] :
             std::map<std::string, std::string>{{"ifDescr", "port " + name},
                                                {"ifName", name},
                                                {"ifAlias", "uplink"},
                                                {"ifType", "6"},
                                                {"ifMtu", "1500"},
                                                {"ifPhysAddress", "00 1a 2b 00 00 0c"},
                                                {"ifSpeed", "80000"},
                                                {"ifAdminStatus", "1"},
                                                {"ifOperStatus", "1"},
                                                {"ifLastChange", "100"},
                                                {"ifInOctets", "1000"},
                                                {"ifOutOctets", "1000"},
                                                {"ifInErrors", "0"},
                                                {"ifOutErrors", "0"},
                                                {"ifInDiscards", "0"},
                                                {"ifOutDiscards", "0"}}) {
            SetAgentInterfaceValue(index, column, value);
        }
    }

    // First contact with the host (the agent unless named), then "File" >
    // "All interfaces..." at this refresh.
    AllInterfacesWindow& OpenWindow(const QString& interval = "1 s",
                                    const std::string& host = TestAgentAddress(),
                                    const QString& community = kTestAgentCommunity) {
        TForm1& w = ui_->Window();
        QAction* action = FindAction(w, "All interfaces...");
        auto* hostCombo = w.findChild<QComboBox*>("hostCombo");
        hostCombo->lineEdit()->selectAll();
        QTest::keyClicks(hostCombo, QString::fromStdString(host));
        [&] { QVERIFY(action && !action->isEnabled()); }();
        auto* communityEdit = w.findChild<QLineEdit*>("communityEdit");
        communityEdit->selectAll();
        QTest::keyClicks(communityEdit, community);
        QTest::mouseClick(Button(w, "&First contact"), Qt::LeftButton);
        [&] { QTRY_VERIFY(action->isEnabled()); }();
        action->trigger();
        auto* window = w.findChild<AllInterfacesWindow*>();
        window->findChild<QComboBox*>("sweepInterval")->setCurrentText(interval);
        return *window;
    }

    // Waits for that many more sweeps to reach the table.
    static void WaitForSweeps(AllInterfacesWindow& window, int sweeps) {
        auto* sorted = qobject_cast<QSortFilterProxyModel*>(window.Table()->model());
        QSignalSpy changed(sorted->sourceModel(), &QAbstractItemModel::dataChanged);
        QSignalSpy reset(sorted->sourceModel(), &QAbstractItemModel::modelReset);
        QTRY_VERIFY_WITH_TIMEOUT(changed.size() + reset.size() >= sweeps, 30000);
    }

    // The table row (as sorted) of the interface with this ifIndex; -1 for none.
    static int RowOf(AllInterfacesWindow& window, int ifIndex) {
        const QAbstractItemModel* model = window.Table()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, 0).data(AllInterfacesModel::kIndexRole).toInt() == ifIndex) {
                return row;
            }
        }
        return -1;
    }

    static QString Cell(AllInterfacesWindow& window, int row, OverviewColumn column) {
        return window.Table()->model()->index(row, static_cast<int>(column)).data().toString();
    }

    static QStringList Lines(const QListWidget& list) {
        QStringList lines;
        for (int i = 0; i < list.count(); ++i) {
            lines.append(list.item(i)->text());
        }
        return lines;
    }

    SnmpDeviceReader reader_;
    std::optional<WindowUnderTest> ui_;
};

QTEST_MAIN(AllInterfacesWindowTest)
#include "AllInterfacesWindowTest.moc"

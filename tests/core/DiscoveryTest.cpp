#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <algorithm>
#include <functional>
#include <optional>

#include "core/Monitor.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/fakes/SteppingClock.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

const QString kIndexColumn = "1.3.6.1.2.1.2.2.1.1";
const QString kUptime = "1.3.6.1.2.1.1.3.0";
const QString kIfNumber = "1.3.6.1.2.1.2.1.0";
const QString kTarget = "cobalt@10.1.1.1";
const QString kDuplexColumn = "1.3.6.1.4.1.52.4.1.2.4.2.3.1.1.6";

QString Column(int column, const QString& index) {
    return QStringLiteral("1.3.6.1.2.1.2.2.1.%1.%2").arg(column).arg(index);
}
QString Duplex(const QString& index) {
    return QStringLiteral("1.3.6.1.4.1.52.4.1.2.4.2.3.1.1.6.%1.1").arg(index);
}

// One interface as the scripted device answers for it.
struct Interface {
    QString index;
    QString description = "eth";
    QString speed = "100000000";
    std::optional<QString> duplex = std::nullopt;  // none: the device lacks the object
    QString mac = QString::fromLatin1("\x00\x1a\x2b\x00\x00\x01", 6);
    QString mtu = "1500";
    QString admin = "1";
    QString oper = "1";
    QString type = "6";
};

class DiscoveryTest : public ::testing::Test {
  protected:
    DiscoveryTest() {
        // What the window makes of the monitor's signals.
        QObject::connect(&monitor, &Monitor::StatusChanged, [this](const MonitorStatus& status) {
            if (status.discovering != busy) {
                busy = status.discovering;
                busyHistory.append(busy);
            }
        });
        QObject::connect(&monitor, &Monitor::DiscoveryEnded,
                         [this](const DiscoveryOutcome& outcome) { focused += outcome.found; });
        QObject::connect(&monitor, &Monitor::DiscoveryProgressed, [this] {
            ++pendingEventRuns;
            if (whilePending) {
                whilePending();
            }
        });
        monitor.ResetAll();
        monitor.SetHost("10.1.1.1");
        busyHistory.clear();
        test::UseSteppingClock(monitor);
    }

    // A device with these interfaces, whose index column is followed by
    // ifDescr of the first interface, as on a real agent.
    void Serve(const QList<Interface>& interfaces, const QString& uptime = "4200",
               const QString& count = "") {
        QString previous = kIndexColumn;
        for (const Interface& i : interfaces) {
            reader.nextAnswers[previous] = {Column(1, i.index), i.index};
            previous = Column(1, i.index);
            reader.Answer(Column(2, i.index), i.description);
            reader.Answer(Column(5, i.index), i.speed);
            reader.Answer(Duplex(i.index), i.duplex.value_or(QString()));
            reader.Answer(Column(6, i.index), i.mac);
            reader.Answer(Column(4, i.index), i.mtu);
            reader.Answer(Column(7, i.index), i.admin);
            reader.Answer(Column(8, i.index), i.oper);
            reader.Answer(Column(3, i.index), i.type);
        }
        reader.nextAnswers[previous] = {Column(2, interfaces.first().index),
                                        interfaces.first().description};
        // What follows the duplex column's root: its first object, or the
        // next group when no interface has one.
        const auto withDuplex =
            std::find_if(interfaces.begin(), interfaces.end(),
                         [](const Interface& i) { return i.duplex.has_value(); });
        reader.nextAnswers[kDuplexColumn] =
            withDuplex == interfaces.end()
                ? QPair<QString, QString>{"1.3.6.1.6.3.1.1.4.1.0", "1.3.6.1.6.3.1.1.5.1"}
                : QPair<QString, QString>{Duplex(withDuplex->index), *withDuplex->duplex};
        reader.Answer(kUptime, uptime);
        reader.Answer(kIfNumber, count.isEmpty() ? QString::number(interfaces.size()) : count);
    }

    QStringList Row(int row) {
        QStringList cells;
        for (int c = 0; c < InterfaceTable::kColumns; ++c) {
            cells.append(monitor.Table().Cell(c, row));
        }
        return cells;
    }

    bool PollingCommandsEnabled() {
        return monitor.Status().commands.startPolling && monitor.Status().commands.stopPolling &&
               monitor.Status().commands.showDeviceInfo;
    }

    // Forgets what the window saw, and what the user does meanwhile.
    void ClearWindow() {
        busyHistory.clear();
        focused = 0;
        pendingEventRuns = 0;
        whilePending = nullptr;
    }

    test::TempHome home;
    test::RecordingView view;
    test::ScriptedDeviceReader reader;
    test::RecordingSoundPlayer player;
    // The busy cursor's turns, the focus that a first contact which found
    // interfaces gives the list, and the first contact's steps, where the
    // window's events run.
    bool busy = false;
    QList<bool> busyHistory;
    int focused = 0;
    int pendingEventRuns = 0;
    std::function<void()> whilePending;
    Monitor monitor{view, reader, player};
};

TEST_F(DiscoveryTest, IndexesOneTwoTenGiveThreeRowsAndSelectTheFirst) {
    Serve({{.index = "1", .speed = "10000000"}, {.index = "2"}, {.index = "10"}});
    monitor.FirstContact();

    EXPECT_TRUE(view.errors.isEmpty()) << view.errors.join("; ").toStdString();
    EXPECT_EQ(monitor.Table().RowCount(), 4);
    EXPECT_EQ(monitor.Table().Cell(0, 1), "1");
    EXPECT_EQ(monitor.Table().Cell(0, 2), "2");
    EXPECT_EQ(monitor.Table().Cell(0, 3), "10");
    EXPECT_EQ(monitor.InterfaceEntries(), (QStringList{"1", "2", "10"}));
    EXPECT_EQ(monitor.Status().interfaces,
              (QStringList{"1 - eth (up)", "2 - eth (up)", "10 - eth (up)"}));
    EXPECT_EQ(monitor.Status().selectedInterface, 0);
    EXPECT_TRUE(monitor.Status().interfaceListEnabled);
    EXPECT_EQ(monitor.State().PolledInterface, "1");
    EXPECT_EQ(monitor.State().InterfaceNumber, "1");
    EXPECT_EQ(monitor.State().Bandwidth, "10000000");
    EXPECT_EQ(monitor.Status().bandwidth, "10000000");
    EXPECT_EQ(monitor.InterfaceCount(), "3");
    EXPECT_EQ(monitor.DiscoveryUptime(), "4200");
    EXPECT_TRUE(PollingCommandsEnabled());
    EXPECT_TRUE(monitor.Status().deviceInfoExportable);
    EXPECT_EQ(busyHistory, (QList<bool>{true, false}));
    EXPECT_EQ(focused, 1);
    EXPECT_EQ(monitor.Status().statusText, "3 interfaces found");
    EXPECT_TRUE(monitor.Status().discoveryNews);
}

// The requests and their order: probe, uptime, the interface count that
// bounds the walk, the walk, then the rows: each object alone at a width of
// one, or with several objects per request the rows together, after a look
// at the duplex column (which this device lacks); the count last.
TEST_F(DiscoveryTest, SendsExactlyTheCountedRequestsInOrder) {
    Serve({{.index = "1"}, {.index = "2"}, {.index = "3"}});
    const QString next = " " + kTarget;
    const QStringList start{
        "next " + kIndexColumn + next,  // probe
        "get " + kUptime + next,        //
        "get " + kIfNumber + next,      //
        "next " + kIndexColumn + next,  // walk
        "next " + Column(1, "1") + next, "next " + Column(1, "2") + next,
        "next " + Column(1, "3") + next,
    };
    const auto row = [](const QString& index, bool duplex) {
        QStringList oids{Column(2, index), Column(5, index)};
        if (duplex) {
            oids.append(Duplex(index));
        }
        return oids + QStringList{Column(6, index), Column(4, index), Column(7, index),
                                  Column(8, index), Column(3, index)};
    };
    QStringList alone;
    for (const char* index : {"1", "2", "3"}) {
        for (const QString& oid : row(index, true)) {
            alone.append("query " + oid + " " + kTarget);
        }
    }
    const QString count = "query " + kIfNumber + " " + kTarget;
    struct Case {
        int width;
        QStringList rows;
    };
    const Case cases[] = {
        {1, alone},
        {16,
         {"next " + kDuplexColumn + next,
          "query " + (row("1", false) + row("2", false)).join(u' ') + " " + kTarget,
          "query " + row("3", false).join(u' ') + " " + kTarget}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        reader.width = c.width;
        reader.requests.clear();
        monitor.FirstContact();
        EXPECT_EQ(reader.requests, start + c.rows + QStringList{count});
        EXPECT_EQ(Row(3), (QStringList{"3", "eth", "100,000,000", "unknown", "00 1A 2B 00 00 01 ",
                                       "1500", "up", "up", "ethernet-csmacd (6)"}));
    }
}

TEST_F(DiscoveryTest, CellsOfTheUnusualInterfaces) {
    Serve({{.index = "1",
            .description = "  lo\r\n",
            .speed = "-1",
            .mac = "",
            .mtu = "65536",
            .type = "24"},
           {.index = "2", .duplex = "2", .admin = "2", .oper = "7", .type = "117"},
           {.index = "3", .duplex = "9", .type = "6"}});
    monitor.FirstContact();
    ASSERT_TRUE(view.errors.isEmpty()) << view.errors.join("; ").toStdString();
    EXPECT_EQ(Row(1), (QStringList{"1", "lo", "4,294,967,295", "unknown", "No MAC available",
                                   "65536", "up", "up", "softwareLoopback (24)"}));
    EXPECT_EQ(Row(2), (QStringList{"2", "eth", "100,000,000", "half", "00 1A 2B 00 00 01 ", "1500",
                                   "down", "7", "117"}));
    EXPECT_EQ(Row(3)[3], "");  // a duplex value outside the mapping
    EXPECT_EQ(Row(3)[8], "ethernet-csmacd (6)");
    EXPECT_EQ(monitor.State().Bandwidth, "4294967295");
}

TEST_F(DiscoveryTest, UptimeMinusOneIsTheLargestUnsignedValue) {
    Serve({{.index = "1"}}, "-1");
    monitor.FirstContact();
    EXPECT_EQ(monitor.DiscoveryUptime(), "4294967295");
}

TEST_F(DiscoveryTest, InterfaceCountZeroLeavesPollingDisabledButTheListFilled) {
    Serve({{.index = "1"}, {.index = "2"}}, "1", "0");
    monitor.FirstContact();
    EXPECT_EQ(monitor.InterfaceCount(), "0");
    EXPECT_EQ(monitor.InterfaceEntries(), (QStringList{"1", "2"}));
    EXPECT_TRUE(monitor.Status().interfaceListEnabled);
    EXPECT_FALSE(monitor.Status().commands.startPolling);
    EXPECT_FALSE(monitor.Status().commands.stopPolling);
    EXPECT_FALSE(monitor.Status().commands.showDeviceInfo);
}

// How the first walk can end: the column ends, the agent echoes the request
// at the end of its tree, it goes back to an earlier identifier, or it falls
// silent. Each keeps the two rows found so far.
TEST_F(DiscoveryTest, FirstWalkEndsWithoutAFollowingIdentifier) {
    struct Ending {
        const char* name;
        std::optional<QPair<QString, QString>> next;  // none: no answer
    };
    const Ending endings[] = {
        {"outside the column", QPair<QString, QString>{Column(2, "1"), "eth"}},
        {"echo", QPair<QString, QString>{Column(1, "2"), ""}},
        {"going back", QPair<QString, QString>{Column(1, "1"), "1"}},
        {"silence", std::nullopt},
    };
    for (const Ending& ending : endings) {
        SCOPED_TRACE(ending.name);
        reader = {};
        view = {};
        ClearWindow();
        Serve({{.index = "1"}, {.index = "2"}});
        if (ending.next) {
            reader.nextAnswers[Column(1, "2")] = *ending.next;
        } else {
            reader.nextAnswers.remove(Column(1, "2"));
        }
        monitor.FirstContact();
        EXPECT_EQ(monitor.Table().RowCount(), 3);
        EXPECT_EQ(monitor.InterfaceEntries(), (QStringList{"1", "2"}));
        EXPECT_EQ(reader.requests.filter("next ").size(), 1 + 3);
        EXPECT_TRUE(PollingCommandsEnabled());
    }
}

TEST_F(DiscoveryTest, DeviceWithoutInterfaceRowsSaysSoAndOffersNothing) {
    Serve({{.index = "1"}, {.index = "2"}, {.index = "3"}});
    monitor.FirstContact();
    ASSERT_EQ(monitor.Table().RowCount(), 4);

    // Next after the index column lies in another group: the probe has a
    // value, the walk no row.
    reader.nextAnswers[kIndexColumn] = {"1.3.6.1.2.1.4.1.0", "2"};
    reader.requests.clear();
    busyHistory.clear();
    monitor.ResetAll();
    monitor.FirstContact();

    EXPECT_EQ(monitor.Status().statusText, "No interfaces found on this device!");
    EXPECT_EQ(monitor.Table().RowCount(), 2);
    EXPECT_EQ(monitor.Table().Cell(0, 1), "");
    EXPECT_TRUE(monitor.Status().interfaces.isEmpty());
    EXPECT_FALSE(monitor.Status().interfaceListEnabled);
    EXPECT_FALSE(monitor.Status().commands.startPolling);
    EXPECT_TRUE(reader.requests.filter("query ").isEmpty());
    EXPECT_EQ(busyHistory, (QList<bool>{true, false}));
    EXPECT_EQ(focused, 1);  // from the first discovery only
}

TEST_F(DiscoveryTest, ProbeFailuresStopPollingAndClearTheEarlierResults) {
    Serve({{.index = "1"}, {.index = "2"}});
    monitor.FirstContact();
    reader.Answer("1.3.6.1.2.1.2.2.1.16.1", "1");
    reader.Answer("1.3.6.1.2.1.2.2.1.10.1", "1");
    monitor.StartPolling();
    ASSERT_TRUE(monitor.IsPolling());

    struct Probe {
        QPair<QString, QString> next;  // empty identifier: no answer
        const char* status;
    };
    for (const Probe& probe : {Probe{{}, "Failure contacting device!"},
                               Probe{{Column(1, "1"), ""}, "No values from this device!"}}) {
        SCOPED_TRACE(probe.status);
        QFile report(home.ProgramFolder() + "device_info.txt");
        ASSERT_TRUE(report.open(QIODevice::WriteOnly));
        report.close();
        busyHistory.clear();
        reader.nextAnswers[kIndexColumn] = probe.next;

        monitor.FirstContact();

        EXPECT_FALSE(monitor.IsPolling());
        EXPECT_EQ(monitor.Status().statusText, probe.status);
        EXPECT_TRUE(QFile::exists(report.fileName()));  // until an export replaces it
        EXPECT_FALSE(monitor.Status().deviceInfoExportable);
        EXPECT_TRUE(monitor.Status().interfaces.isEmpty());
        EXPECT_FALSE(monitor.Status().interfaceListEnabled);
        EXPECT_EQ(monitor.Table().RowCount(), 3);  // rows stay, emptied
        EXPECT_EQ(Row(1), QStringList(InterfaceTable::kColumns, QString()));
        EXPECT_EQ(busyHistory, (QList<bool>{true, false}));
        EXPECT_EQ(monitor.DiscoveryUptime(), "4200");  // kept from the last discovery
    }
}

// A device that stops answering in the middle of a row gives the cells and
// the error of one object per request at every width: an object whose
// request of several went unanswered is asked again alone.
TEST_F(DiscoveryTest, DeviceFallingSilentHalfWayStopsWithTheConversionError) {
    const QString mac = "00 1A 2B 00 00 01 ";
    struct Case {
        const char* name;
        QList<int> silentColumns;
        QStringList row2;
    };
    const Case cases[] = {
        {"from the description",
         {2, 5, 6, 4, 7, 8, 3},
         {"2", "Failure", "", "", "", "", "", "", ""}},
        {"from the MTU",
         {4, 7, 8, 3},
         {"2", "eth", "100,000,000", "unknown", mac, "Failure", "", "", ""}},
    };
    for (const Case& c : cases) {
        for (const int width : {1, 8, 16}) {
            SCOPED_TRACE(QStringLiteral("%1 at width %2").arg(c.name).arg(width).toStdString());
            reader = {};
            view = {};
            ClearWindow();
            reader.width = width;
            Serve({{.index = "1"}, {.index = "2"}}, "-5", "7");
            for (int column : c.silentColumns) {
                reader.Silence(Column(column, "2"));
            }
            reader.Silence(kIfNumber);

            monitor.FirstContact();

            EXPECT_EQ(view.errors, (QStringList{"'Failure' ist kein gültiger Integerwert"}));
            EXPECT_EQ(Row(1), (QStringList{"1", "eth", "100,000,000", "unknown", mac, "1500", "up",
                                           "up", "ethernet-csmacd (6)"}));
            EXPECT_EQ(Row(2), c.row2);
            EXPECT_EQ(monitor.Status().interfaces, (QStringList{"1", "2"}));
            EXPECT_FALSE(monitor.Status().interfaceListEnabled);
            EXPECT_FALSE(monitor.Status().commands.startPolling);
            EXPECT_EQ(busyHistory, (QList<bool>{true, false}));
            EXPECT_EQ(focused, 0);
            EXPECT_EQ(monitor.DiscoveryUptime(), "4294967291");
        }
    }
    EXPECT_EQ(monitor.InterfaceCount(), "0");  // never reached
}

// Window events run at every step of the walk, after it, twice in every row
// and before the selection, so the table fills row by row.
TEST_F(DiscoveryTest, WindowEventsRunWhileRowsFill) {
    Serve({{.index = "1"}, {.index = "2"}});
    QStringList filled;
    whilePending = [&] {
        QString counts;
        for (int row = 1; row < monitor.Table().RowCount(); ++row) {
            int cells = 0;
            for (int c = 0; c < InterfaceTable::kColumns; ++c) {
                cells += !monitor.Table().Cell(c, row).isEmpty();
            }
            counts += QString::number(cells);
        }
        filled.append(counts);
    };
    monitor.FirstContact();
    EXPECT_EQ(filled, (QStringList{"1", "11", "11", "41", "81", "94", "98", "99"}));
    EXPECT_EQ(busyHistory, (QList<bool>{true, false}));
}

TEST_F(DiscoveryTest, FirstContactPressedAgainMeanwhileIsIgnored) {
    Serve({{.index = "1"}, {.index = "2"}});
    int presses = 0;
    whilePending = [&] {
        ++presses;
        monitor.FirstContact();
    };
    monitor.FirstContact();
    EXPECT_EQ(presses, 8);
    EXPECT_EQ(monitor.Table().RowCount(), 3);
    EXPECT_EQ(monitor.InterfaceEntries(), QStringList({"1", "2"}));
    EXPECT_EQ(busyHistory, (QList<bool>{true, false}));

    whilePending = nullptr;  // and afterwards it runs again
    reader.requests.clear();
    monitor.FirstContact();
    EXPECT_FALSE(reader.requests.isEmpty());
}

// A host change or "Reset all" while discovery lets the window's events run
// ends it there: nothing of the old device is left, nothing more is asked.
TEST_F(DiscoveryTest, HostChangeOrResetMeanwhileEndsDiscovery) {
    struct Case {
        const char* name;
        int eventRun;  // 1 and 2 in the walk, 3 after it, 4 to 7 in the rows, 8 before the
                       // selection
        bool reset;
    };
    const Case cases[] = {
        {"host change in the walk", 1, false},
        {"reset after the walk", 3, true},
        {"host change in a row", 5, false},
        {"reset in a row", 6, true},
        {"host change before the selection", 8, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reader = {};
        view = {};
        ClearWindow();
        monitor.SetHost("10.1.1.1");
        reader.width = 16;
        Serve({{.index = "1", .speed = "10000000"}, {.index = "2"}});
        qsizetype requestsThen = -1;
        whilePending = [&] {
            if (pendingEventRuns == c.eventRun) {
                if (c.reset) {
                    monitor.ResetAll();
                } else {
                    monitor.SetHost("10.1.1.2");
                }
                requestsThen = reader.requests.size();
            }
        };
        monitor.FirstContact();

        EXPECT_EQ(reader.requests.size(), requestsThen);
        EXPECT_EQ(monitor.State().Bandwidth, "0");
        EXPECT_EQ(monitor.Status().bandwidth, "0");
        EXPECT_FALSE(monitor.Status().commands.startPolling);
        EXPECT_FALSE(monitor.Status().commands.showDeviceInfo);
        EXPECT_TRUE(monitor.Status().interfaces.isEmpty());
        EXPECT_FALSE(monitor.Status().interfaceListEnabled);
        for (int row = 1; row < monitor.Table().RowCount(); ++row) {
            EXPECT_EQ(Row(row), QStringList(InterfaceTable::kColumns, QString())) << row;
        }
        EXPECT_EQ(monitor.Table().Cell(2, 0), "Speed");
        EXPECT_EQ(busyHistory, (QList<bool>{true, false}));
        EXPECT_EQ(focused, 0);
        EXPECT_TRUE(view.errors.isEmpty());
    }
}

// A broken agent that answers every step of the index walk with a higher
// index: the walk stops once it passes twice the device's interface count
// and a margin, with a clear error, and nothing is offered.
TEST_F(DiscoveryTest, IndexWalkThatNeverEndsStopsWithAnError) {
    Serve({{.index = "1"}}, "4200", "2");
    for (int index = 1; index <= 1100; ++index) {
        reader.nextAnswers[Column(1, QString::number(index))] = {
            Column(1, QString::number(index + 1)), QString::number(index + 1)};
    }
    monitor.FirstContact();
    EXPECT_EQ(view.errors,
              (QStringList{"Discovery stopped: the device lists more than 1004 interfaces."}));
    EXPECT_EQ(reader.requests.filter("next ").size(), 1 + 1005);
    EXPECT_TRUE(reader.requests.filter("query ").isEmpty());
    EXPECT_EQ(monitor.Table().RowCount(), 1005);
    EXPECT_TRUE(monitor.Status().interfaces.isEmpty());
    EXPECT_FALSE(monitor.Status().interfaceListEnabled);
    EXPECT_FALSE(monitor.Status().commands.startPolling);
    EXPECT_EQ(busyHistory, (QList<bool>{true, false}));
    EXPECT_EQ(pendingEventRuns, 1004);  // the window stayed alive
}

TEST_F(DiscoveryTest, SelectionResetsTrafficAndTakesTheSpeedAsBandwidth) {
    Serve({{.index = "1"}, {.index = "2"}, {.index = "10", .speed = "1000000000"}});
    monitor.FirstContact();
    // Two polls of interface 1 leave traffic, counters, a reading and a line.
    for (const char* octets : {"4", "9"}) {
        reader.Answer("1.3.6.1.2.1.2.2.1.16.1", octets);
        reader.Answer("1.3.6.1.2.1.2.2.1.10.1", octets);
        monitor.PollOnce();
    }
    ASSERT_EQ(monitor.State().Traffic.Total.Combined, 10);
    ASSERT_EQ(monitor.Messages().Count(), 1);

    monitor.SelectInterface(2);

    EXPECT_EQ(monitor.SelectedInterface(), 2);
    EXPECT_EQ(monitor.State().PolledInterface, "10");
    EXPECT_EQ(monitor.State().InterfaceNumber, "10");
    EXPECT_EQ(monitor.State().Bandwidth, "1000000000");
    EXPECT_EQ(monitor.Status().bandwidth, "1000000000");
    EXPECT_EQ(monitor.State().Traffic.Total.Combined, 0);
    EXPECT_EQ(monitor.State().Traffic.Out.Now.Counter, 0);
    EXPECT_EQ(monitor.State().Traffic.Out.Now.Text, "0");
    EXPECT_EQ(monitor.State().Traffic.In.Previous.Text, "4");
    EXPECT_EQ(test::Totals(monitor.Status()), (std::array<std::int64_t, 3>{0, 0, 0}));
    EXPECT_EQ(monitor.Graph().Series(TrafficSeries::InBits).Count(), 0);
    const TGraphCaptions& captions = monitor.Graph().Captions();
    for (const TGraphCaption* caption :
         {&captions.Top, &captions.ThreeQuarter, &captions.Half, &captions.Quarter}) {
        EXPECT_EQ(caption->Text, "0");
    }
    EXPECT_EQ(monitor.Messages().Count(), 0);
}

// The bandwidth is the speed's digits whatever the locale groups them with;
// a separator other than ".", "," and " " would fail every poll.
TEST_F(DiscoveryTest, SpeedInTheUsersLocaleGivesTheDigitsAsBandwidth) {
    struct Case {
        QLocale locale;
        const char* cell;
    };
    const Case cases[] = {
        {QLocale(QLocale::German, QLocale::Germany), "10.000.000"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "10,000,000"},
        {QLocale(QLocale::French, QLocale::France), "10\u202f000\u202f000"},
        {QLocale(QLocale::German, QLocale::Switzerland), "10\u2019000\u2019000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        QLocale::setDefault(c.locale);
        Serve({{.index = "1", .speed = "10000000"}});
        monitor.FirstContact();
        EXPECT_EQ(monitor.Table().Cell(2, 1), QString::fromUtf8(c.cell));
        EXPECT_EQ(monitor.State().Bandwidth, "10000000");
    }
    QLocale::setDefault(QLocale::c());
}

}  // namespace
}  // namespace pulsewell

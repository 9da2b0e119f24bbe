// Not a test: opens the window of every interface against a device, prints
// when each sweep reached the table and what the window says it took, and
// renders the window to a PNG file; given an ifIndex, chooses that interface
// as a double click does and renders its History window after the sweeps too.
// Usage: render_all_interfaces HOST COMMUNITY VERSION SWEEPS INTERVAL FILE.png [IFINDEX]
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <cstdio>

#include "app/AllInterfacesWindow.h"
#include "app/HistoryWindow.h"
#include "app/MainWindow.h"
#include "core/device/SnmpDeviceReader.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/support/RecordingMessageBoxes.h"
#include "tests/support/WindowFinders.h"

using namespace pulsewell;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc != 7 && argc != 8) {
        std::fprintf(stderr,
                     "usage: %s HOST COMMUNITY VERSION SWEEPS INTERVAL FILE.png [IFINDEX]\n",
                     argv[0]);
        return 2;
    }
    const int sweeps = QString::fromLocal8Bit(argv[4]).toInt();
    const QString interval = QString::fromLocal8Bit(argv[5]) + QStringLiteral(" s");
    test::RecordingMessageBoxes boxes;
    test::RecordingSoundPlayer player;
    SnmpDeviceReader reader;
    TForm1 main(boxes, reader, player, QString(), DeviceWorker::Threading::OwnThread);
    Monitor& monitor = main.monitor();
    monitor.SetHost(QString::fromLocal8Bit(argv[1]));
    monitor.SetCommunity(QString::fromLocal8Bit(argv[2]));
    monitor.SetSnmpVersion(*ParseSnmpVersion(QString::fromLocal8Bit(argv[3])));
    main.show();

    int seen = 0;
    QElapsedTimer clock;
    qint64 last = 0;
    QObject::connect(&monitor, &Monitor::DiscoveryEnded, [&] {
        std::printf("first contact: %lld interfaces\n",
                    static_cast<long long>(monitor.InterfaceEntries().size()));
        test::FindAction(main, QStringLiteral("All interfaces..."))->trigger();
        auto* window = main.findChild<AllInterfacesWindow*>();
        if (window == nullptr) {  // no interfaces: the command stays disabled
            std::fprintf(stderr, "the device gave no interfaces\n");
            QCoreApplication::exit(1);
            return;
        }
        window->findChild<QComboBox*>(QStringLiteral("sweepInterval"))->setCurrentText(interval);
        auto* sorted = qobject_cast<QSortFilterProxyModel*>(window->Table()->model());
        const auto shown = [&, window] {
            const qint64 now = clock.elapsed();
            QString status;
            for (QLabel* label : window->findChildren<QLabel*>()) {
                if (label->text().startsWith(QStringLiteral("Last sweep"))) {
                    status = label->text();
                }
            }
            std::printf("sweep %d: %lld rows, %lld ms after the one before; %s\n", seen,
                        static_cast<long long>(window->Table()->model()->rowCount()),
                        static_cast<long long>(seen == 0 ? 0 : now - last), qPrintable(status));
            last = now;
            if (++seen == sweeps) {
                window->resize(1100, 700);
                window->grab().save(QString::fromLocal8Bit(argv[6]));
                if (argc == 8) {
                    emit window->InterfaceChosen(QString::fromLocal8Bit(argv[7]).toInt());
                    test::FindAction(main, QStringLiteral("History..."))->trigger();
                    QWidget* history = main.findChild<HistoryWindow*>();
                    history->grab().save(QString::fromLocal8Bit(argv[6]).replace(
                        QStringLiteral(".png"), QStringLiteral("-history.png")));
                }
                QApplication::quit();
            }
        };
        clock.start();
        QObject::connect(sorted->sourceModel(), &QAbstractItemModel::dataChanged, shown);
        QObject::connect(sorted->sourceModel(), &QAbstractItemModel::modelReset, shown);
    });
    monitor.FirstContact();
    return QApplication::exec();
}

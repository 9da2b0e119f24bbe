// Not a test: renders the main window after "First contact" with the
// interface list open, to a PNG file for looking at.
// Usage: render_interface_list HOST:PORT COMMUNITY FILE.png
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

#include "MainWindow.h"
#include "RecordingMessageBoxes.h"
#include "RecordingSoundPlayer.h"
#include "SnmpDeviceReader.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc < 4) {
        return 2;
    }
    pulsewell::test::RecordingMessageBoxes boxes;
    pulsewell::SnmpDeviceReader reader;
    pulsewell::test::RecordingSoundPlayer player;
    pulsewell::TForm1 window(boxes, reader, player);
    window.show();
    auto* host = window.findChild<QComboBox*>(QStringLiteral("hostCombo"));
    host->lineEdit()->selectAll();
    QTest::keyClicks(host->lineEdit(), QString::fromLocal8Bit(argv[1]));
    window.findChild<QLineEdit*>(QStringLiteral("communityEdit"))
        ->setText(QString::fromLocal8Bit(argv[2]));
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->text() == QStringLiteral("&First contact")) {
            button->click();
        }
    }
    auto* list = window.findChild<QComboBox*>(QStringLiteral("interfaceList"));
    QTest::qWait(200);
    list->showPopup();
    QTest::qWait(200);
    QImage shot = window.grab().toImage();
    QWidget* popup = list->view()->window();
    QPainter painter(&shot);
    painter.drawImage(popup->mapToGlobal(QPoint()) - window.mapToGlobal(QPoint()),
                      popup->grab().toImage());
    painter.end();
    return shot.save(QString::fromLocal8Bit(argv[3])) ? 0 : 1;
}

#include <QApplication>

#include "MainWindow.h"
#include "MessageBoxes.h"
#include "SnmpDeviceReader.h"
#include "SoundPlayer.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Pulsewell"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.5.0.2"));

    pulsewell::QtMessageBoxes boxes;
    pulsewell::SnmpDeviceReader reader;
    pulsewell::AlsaSoundPlayer player;
    pulsewell::TForm1 mainWindow(boxes, reader, player, QCoreApplication::arguments().value(1));
    mainWindow.show();
    return app.exec();
}

#include <QApplication>
#include <QIcon>

#include "MainWindow.h"
#include "MessageBoxes.h"
#include "ProgramIdentity.h"
#include "SnmpDeviceReader.h"
#include "SoundPlayer.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pulsewell::SetProgramIdentity();
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("pulsewell"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("pulsewell")));

    pulsewell::QtMessageBoxes boxes;
    pulsewell::SnmpDeviceReader reader;
    pulsewell::AlsaSoundPlayer player;
    pulsewell::TForm1 mainWindow(boxes, reader, player, QCoreApplication::arguments().value(1));
    mainWindow.show();
    return app.exec();
}

#include <QApplication>

#include "AboutDialog.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "OptionsDialog.h"
#include "OptionsPrompts.h"
#include "SnmpDeviceReader.h"
#include "SoundPlayer.h"
#include "UrlOpener.h"
#include "WebHandCursor.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Pulsewell"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.5.0.2"));

    pulsewell::InstallHandPointCursor(pulsewell::WebHandCursor());

    pulsewell::QtMessageBoxes boxes;
    pulsewell::SnmpDeviceReader reader;
    pulsewell::AlsaSoundPlayer player;
    pulsewell::TForm1 mainWindow(boxes, reader, player, QCoreApplication::arguments().value(1));
    // The about dialog; its links open with the desktop's programs.
    pulsewell::DesktopUrlOpener desktop;
    pulsewell::TForm2 about(desktop, mainWindow, &mainWindow);
    QObject::connect(&mainWindow, &pulsewell::TForm1::AboutRequested, &about, &QDialog::exec);
    // Created after the main window; creating it stores the alarm defaults.
    pulsewell::QtOptionsPrompts optionsPrompts;
    pulsewell::TForm3 options(mainWindow.monitor(), optionsPrompts, &mainWindow);
    mainWindow.SetOptionsDialog(options);
    mainWindow.show();
    return app.exec();
}

#include <QApplication>
#include <QIcon>

#include "AboutDialog.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "OptionsDialog.h"
#include "OptionsPrompts.h"
#include "PassphraseKeyring.h"
#include "ProgramIdentity.h"
#include "SnmpDeviceReader.h"
#include "SoundPlayer.h"
#include "UrlOpener.h"
#include "V3PassphraseKeeper.h"
#include "WebHandCursor.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pulsewell::SetProgramIdentity();
    // Lets the desktop match the window to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("pulsewell"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("pulsewell")));

    pulsewell::InstallHandPointCursor(pulsewell::WebHandCursor());

    pulsewell::QtMessageBoxes boxes;
    pulsewell::QtOptionsPrompts optionsPrompts;
    // The SNMPv3 passphrases: the desktop's keyring, or asked once per run.
    pulsewell::SecretServiceKeyring keyring;
    pulsewell::V3PassphraseKeeper keeper(keyring, optionsPrompts);
    pulsewell::SnmpDeviceReader reader;
    pulsewell::AlsaSoundPlayer player;
    pulsewell::TForm1 mainWindow(boxes, reader, player, QCoreApplication::arguments().value(1),
                                 pulsewell::DeviceWorker::Threading::OwnThread);
    // The about dialog; its links open with the desktop's programs.
    pulsewell::DesktopUrlOpener desktop;
    pulsewell::TForm2 about(desktop, mainWindow, &mainWindow);
    QObject::connect(&mainWindow, &pulsewell::TForm1::AboutRequested, &about, &QDialog::exec);
    // Created after the main window; creating it stores the alarm defaults.
    pulsewell::TForm3 options(mainWindow.monitor(), optionsPrompts, &mainWindow);
    mainWindow.SetOptionsDialog(options);
    options.SetPassphraseKeeper(keeper);
    mainWindow.SetPassphraseKeeper(keeper);
    mainWindow.show();
    return app.exec();
}

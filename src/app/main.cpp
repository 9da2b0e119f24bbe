#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "about/AboutDialog.h"
#include "about/UrlOpener.h"
#include "about/WebHandCursor.h"
#include "app/MainWindow.h"
#include "app/MessageBoxes.h"
#include "core/ProgramFolder.h"
#include "core/ProgramIdentity.h"
#include "core/ProgramVersion.h"
#include "core/device/SnmpDeviceReader.h"
#include "core/device/SoundPlayer.h"
#include "options/OptionsDialog.h"
#include "options/OptionsPrompts.h"
#include "options/PassphraseKeyring.h"
#include "options/V3PassphraseKeeper.h"

namespace {

constexpr const char* kUsage =
    "Usage: pulsewell [PROFILE]\n"
    "       pulsewell --help | --version\n"
    "Watches the traffic of one network interface of an SNMP device in a window.\n"
    "PROFILE names a start profile, an INI file in the program's folder\n"
    "($PULSEWELL_HOME, a build's or portable copy's own folder, or\n"
    "~/.local/share/Tarnwick/Pulsewell) that presets a device; polling then starts\n"
    "a second after the window opens. Qt's options (-platform, -style) work too.\n"
    "pulsewell-cli polls and discovers without a window.\n";

// --help and --version must answer where there is no display, and QApplication
// aborts without one; so they are looked for first. -1: go on.
int AnswerWithoutWindow(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (argument == "--version") {
            std::puts("pulsewell (Pulsewell) " PULSEWELL_VERSION);
            return 0;
        }
    }
    bool platformChosen = std::getenv("QT_QPA_PLATFORM") != nullptr;
    for (int i = 1; i < argc; ++i) {
        platformChosen = platformChosen || std::string_view(argv[i]) == "-platform";
    }
    if (!platformChosen && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fputs(
            "pulsewell: no display to open the window on (neither DISPLAY nor "
            "WAYLAND_DISPLAY is set); pulsewell-cli works without one\n",
            stderr);
        return 1;
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int exitCode = AnswerWithoutWindow(argc, argv); exitCode >= 0) {
        return exitCode;
    }
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
    const QString startProfile = QCoreApplication::arguments().value(1);
    pulsewell::TForm1 mainWindow(boxes, reader, player, startProfile,
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
    // The window leaves the inputs empty for a profile it cannot find; say why.
    if (!startProfile.isEmpty() && !QFileInfo::exists(pulsewell::ProgramFolder() + startProfile)) {
        const QString text = QStringLiteral(
                                 "The start profile \"%1\" is not in the program's "
                                 "folder %2; start profiles are read from there only.")
                                 .arg(startProfile, pulsewell::ProgramFolder());
        std::fprintf(stderr, "pulsewell: %s\n", qPrintable(text));
        boxes.ShowError(&mainWindow, text);
    }
    return app.exec();
}

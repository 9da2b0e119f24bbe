// Not a test: renders each tab of the options dialog to a PNG file for
// looking at. Usage: render_options_dialog <folder>
#include <QApplication>
#include <QDir>
#include <QRadioButton>
#include <QTabWidget>

#include "core/Monitor.h"
#include "options/OptionsDialog.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/support/RecordingOptionsPrompts.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    pulsewell::test::RecordingView view;
    pulsewell::test::ScriptedDeviceReader reader;
    pulsewell::test::RecordingSoundPlayer player;
    pulsewell::Monitor monitor(view, reader, player);
    pulsewell::test::RecordingOptionsPrompts prompts;
    pulsewell::TForm3 dialog(monitor, prompts, nullptr);
    dialog.ShowOptions();
    auto* pages = dialog.findChild<QTabWidget*>();
    for (int tab = 0; tab < pages->count(); ++tab) {
        pages->setCurrentIndex(tab);
        const QString path = folder + QStringLiteral("/options-%1.png").arg(pages->tabText(tab));
        if (!dialog.grab().save(path)) {
            return 1;
        }
    }
    // The "Other" tab again with SNMPv3 chosen, its fields enabled.
    dialog.findChild<QRadioButton*>(QStringLiteral("snmpV3Radio"))->click();
    return dialog.grab().save(folder + QStringLiteral("/options-Other-SNMPv3.png")) ? 0 : 1;
}

#pragma once

#include <QtTest>
#include <memory>

#include "app/MainWindow.h"
#include "options/OptionsDialog.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/support/RecordingMessageBoxes.h"
#include "tests/support/RecordingOptionsPrompts.h"
#include "tests/support/TempHome.h"

namespace pulsewell::test {

// One main window and its options dialog for one test case, in a fresh
// program and settings folder, with their boxes and sounds recorded instead
// of shown and played.
struct WindowUnderTest {
    // Creates the window and the dialog as the program starts them and shows
    // the window; false if it never appeared.
    bool Open(DeviceReader& reader, const QString& startProfile = QString(),
              DeviceWorker::Threading threading = DeviceWorker::Threading::CallerThread) {
        window = std::make_unique<TForm1>(boxes, reader, player, startProfile, threading);
        options = std::make_unique<TForm3>(window->monitor(), prompts, window.get());
        window->SetOptionsDialog(*options);
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    TForm1& Window() { return *window; }
    TForm3& Options() { return *options; }

    TempHome home;
    RecordingMessageBoxes boxes;
    RecordingOptionsPrompts prompts;
    RecordingSoundPlayer player;
    std::unique_ptr<TForm1> window;
    // Destroyed before the window, its parent.
    std::unique_ptr<TForm3> options;
};

}  // namespace pulsewell::test

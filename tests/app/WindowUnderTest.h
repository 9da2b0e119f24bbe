#pragma once

#include <QtTest>
#include <memory>

#include "MainWindow.h"
#include "RecordingMessageBoxes.h"
#include "RecordingSoundPlayer.h"
#include "TempHome.h"

namespace pulsewell::test {

// One main window for one test case, in a fresh program and settings folder,
// with its message boxes and sounds recorded instead of shown and played.
struct WindowUnderTest {
    // Creates and shows the window; false if it never appeared.
    bool Open(DeviceReader& reader, const QString& startProfile = QString()) {
        window = std::make_unique<TForm1>(boxes, reader, player, startProfile);
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }
    TForm1& Window() { return *window; }

    TempHome home;
    RecordingMessageBoxes boxes;
    RecordingSoundPlayer player;
    std::unique_ptr<TForm1> window;
};

}  // namespace pulsewell::test

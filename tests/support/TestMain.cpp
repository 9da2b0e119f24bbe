#include <gtest/gtest.h>

#include <QLocale>

// Suites that draw text or read the palette build this with PULSEWELL_TEST_GUI
// and run on the offscreen platform.
#ifdef PULSEWELL_TEST_GUI
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

// GoogleTest entry for the library tests: a Qt application object for the
// code that needs one, and the C locale unless a test sets its own.
int main(int argc, char** argv) {
#ifdef PULSEWELL_TEST_GUI
    // Test discovery runs the binary outside CTest's environment; never look for a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#endif
    TestApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

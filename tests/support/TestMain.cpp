#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

// GoogleTest entry for the library tests: a Qt application object for the
// code that needs one, and the C locale unless a test sets its own.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

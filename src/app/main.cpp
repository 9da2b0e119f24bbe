#include <QApplication>

#include "MainWindow.h"
#include "MessageBoxes.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Pulsewell"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.5.0.2"));

    pulsewell::QtMessageBoxes boxes;
    pulsewell::TForm1 mainWindow(boxes);
    mainWindow.show();
    return app.exec();
}

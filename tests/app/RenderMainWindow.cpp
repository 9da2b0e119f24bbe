// Not a test: renders the main window at two sizes to PNG files (folder: argument 1).
#include <QApplication>
#include <QDir>
#include <cmath>
#include <cstdio>

#include "app/MainWindow.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/support/RecordingMessageBoxes.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    pulsewell::test::RecordingMessageBoxes boxes;
    pulsewell::test::ScriptedDeviceReader reader;
    pulsewell::test::RecordingSoundPlayer player;
    pulsewell::TForm1 window(boxes, reader, player);
    pulsewell::TrafficGraph& graph = window.monitor().Graph();
    for (int i = 0; i < 600; ++i) {
        graph.AddSample(pulsewell::TrafficSeries::InBits,
                        std::llround(3e6 * (1.2 + std::sin(i / 40.0))));
        graph.AddSample(pulsewell::TrafficSeries::OutBits,
                        std::llround(1e6 * (1.2 + std::cos(i / 25.0))));
    }
    graph.Graphupdate();
    window.show();
    for (const QSize size : {QSize(824, 540), QSize(1600, 1000)}) {
        window.resize(size);
        const QString name =
            QStringLiteral("main-window-%1x%2.png").arg(size.width()).arg(size.height());
        window.grab().save(QDir(argc > 1 ? argv[1] : ".").filePath(name));
        std::printf("%s: graph %dx%d, %d samples shown\n", qPrintable(name),
                    window.GraphPicture().Picture().width(),
                    window.GraphPicture().Picture().height(), graph.ShownSamples());
    }
    return 0;
}

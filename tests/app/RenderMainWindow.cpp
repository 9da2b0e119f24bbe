// Not a test: renders the main window, its graph filled with a wave of
// traffic, at its smallest size and at 1600x1000 to PNG files in the folder
// named by the first argument, for looking at; prints the graph's width.
#include <QApplication>
#include <QDir>
#include <cmath>
#include <cstdio>

#include "MainWindow.h"
#include "RecordingMessageBoxes.h"
#include "RecordingSoundPlayer.h"
#include "ScriptedDeviceReader.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    pulsewell::test::RecordingMessageBoxes boxes;
    pulsewell::test::ScriptedDeviceReader reader;
    pulsewell::test::RecordingSoundPlayer player;
    pulsewell::TForm1 window(boxes, reader, player);
    pulsewell::TrafficGraph& graph = window.monitor().Graph();
    for (int i = 0; i < 600; ++i) {
        const auto in = static_cast<std::int64_t>(3e6 * (1.2 + std::sin(i / 40.0)));
        const auto out = static_cast<std::int64_t>(1e6 * (1.2 + std::cos(i / 25.0)));
        graph.AddSample(pulsewell::TrafficSeries::InBits, in);
        graph.AddSample(pulsewell::TrafficSeries::OutBits, out);
    }
    graph.Graphupdate();
    window.show();
    for (const QSize size : {QSize(824, 540), QSize(1600, 1000)}) {
        window.resize(size);
        QApplication::processEvents();
        const QString name = QStringLiteral("main-window-%1x%2.png").arg(size.width()).arg(size.height());
        window.grab().save(folder.filePath(name));
        std::printf("%s: graph %dx%d pixels, %d samples shown\n", qPrintable(name),
                    window.GraphPicture().Picture().width(),
                    window.GraphPicture().Picture().height(), graph.ShownSamples());
    }
    return 0;
}

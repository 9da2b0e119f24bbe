// Renders the traffic graph of each graph type after a day-like history of
// 230 polls into PNG files, with the captions beside it roughly as the main
// window places them, for looking at. Usage: render_traffic_graphs <folder>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <cmath>

#include "app/TrafficGraphPicture.h"

namespace {

using pulsewell::TGraphCaption;
using pulsewell::TGraphType;
using pulsewell::TrafficGraph;
using pulsewell::TrafficGraphPicture;

void Fill(TrafficGraph& graph) {
    QRandomGenerator random(7);
    constexpr double kBandwidth = 10'000'000.0;  // bit/s
    for (int i = 0; i < TrafficGraph::kShownAtStart; ++i) {
        const double wave = 0.5 + 0.4 * std::sin(i / 30.0);
        const double burst = (i > 150 && i < 170) ? 3.0 : 1.0;
        const double in = 3'000'000 * wave * burst * (0.7 + 0.6 * random.generateDouble());
        const double out = 900'000 * wave * (0.6 + 0.8 * random.generateDouble());
        const auto inBits = static_cast<std::int64_t>(std::llround(in));
        const auto outBits = static_cast<std::int64_t>(std::llround(out));
        graph.AddSample(pulsewell::TrafficSeries::InBits, inBits);
        graph.AddSample(pulsewell::TrafficSeries::OutBits, outBits);
        graph.AddSample(pulsewell::TrafficSeries::CombinedBits, inBits + outBits);
        graph.AddSample(pulsewell::TrafficSeries::InBytes, inBits / 8);
        graph.AddSample(pulsewell::TrafficSeries::OutBytes, outBits / 8);
        graph.AddSample(pulsewell::TrafficSeries::CombinedBytes, (inBits + outBits) / 8);
        graph.AddSample(pulsewell::TrafficSeries::Utilization,
                        std::llround((in + out) / kBandwidth * 100));
    }
}

void DrawCaption(QPainter& painter, const TGraphCaption& caption, int x, int top) {
    if (caption.Visible) {
        painter.drawText(QRect(x, top, 63, 16), Qt::AlignLeft | Qt::AlignTop, caption.Text);
    }
}

QImage Compose(const TrafficGraph& graph, const TrafficGraphPicture& picture) {
    constexpr int kLeft = 10;
    constexpr int kTop = 15;
    QImage window(kLeft + 690 + 140, kTop + 170 + 20, QImage::Format_RGB32);
    window.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter painter(&window);
    painter.drawImage(kLeft, kTop, picture.Picture());
    const auto& c = graph.Captions();
    const int x = kLeft + 690 + 4;
    DrawCaption(painter, c.Top, x, kTop - 4);
    DrawCaption(painter, c.ThreeQuarter, x, kTop + 37);
    DrawCaption(painter, c.Half, x, kTop + 77);
    DrawCaption(painter, c.Quarter, x, kTop + 121);
    DrawCaption(painter, c.Bottom, x, kTop + 163);
    DrawCaption(painter, c.Unit, x + 63, kTop + 163);
    DrawCaption(painter, c.Percent100, x, kTop - 4);
    DrawCaption(painter, c.Percent75, x, kTop + 37);
    DrawCaption(painter, c.Percent50, x, kTop + 77);
    DrawCaption(painter, c.Percent25, x, kTop + 121);
    return window;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    TrafficGraph graph;
    const TrafficGraphPicture picture(graph);
    Fill(graph);
    graph.SetLowThreshold(20);
    const struct {
        TGraphType type;
        bool bytes;
        const char* name;
    } views[] = {{TGraphType::Separate, false, "separate-bits.png"},
                 {TGraphType::Combined, false, "combined-bits.png"},
                 {TGraphType::Utilization, false, "utilization.png"},
                 {TGraphType::Separate, true, "separate-bytes.png"}};
    for (const auto& view : views) {
        graph.ApplyGraphType(view.type, view.bytes);
        if (!Compose(graph, picture).save(folder.filePath(QString::fromLatin1(view.name)))) {
            return 1;
        }
    }
    return 0;
}

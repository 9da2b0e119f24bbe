#include <benchmark/benchmark.h>

#include <cstdint>

#include "graph/TRAG.h"

namespace pulsewell {
namespace {

// The traffic graph's engine: 690 x 170, seven series with a pen of 2 pixels,
// six lines and one bar series, all filled with a traffic-like history.
TRAG MakeFullEngine(int samples) {
    TRAG engine(690, 170);
    engine.SetGridX(10);
    engine.SetGridY(10);
    engine.SetHeadroom(3);
    engine.SetXStep(3.0);
    const TColor colors[] = {0x00FF00, 0xFF0000, 0x0000FF, 0x00FF00, 0xFF0000, 0x0000FF, 0x00FF00};
    for (int i = 0; i < 7; ++i) {
        TRAGGraph& graph = engine.AddGraph(samples, colors[i], i == 6 ? gsPercentBars : gsLine);
        graph.SetPenWidth(2);
    }
    std::uint32_t noise = 12345;
    for (int s = 0; s < samples; ++s) {
        noise = noise * 1103515245u + 12345u;
        const std::int64_t in = 400000 + (noise >> 8) % 600000;
        const std::int64_t out = 100000 + (noise >> 12) % 300000;
        const std::int64_t values[] = {
            in, out, in + out, in / 8, out / 8, (in + out) / 8, (in + out) / 20000};
        for (int i = 0; i < 7; ++i) {
            engine.AddValue(i, values[i]);
        }
    }
    return engine;
}

void BM_RedrawSevenFullSeries(benchmark::State& state) {
    TRAG engine = MakeFullEngine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        engine.Redraw(true);
        benchmark::DoNotOptimize(engine.Picture().constBits());
    }
}
BENCHMARK(BM_RedrawSevenFullSeries)->Arg(230)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pulsewell

BENCHMARK_MAIN();

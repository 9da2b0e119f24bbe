// The history store against a file on disk: storing one reading, a sweep of
// a thousand interfaces (by index, and by name as sweeps store them), a year
// of one interface at one second (the file's size), and reading that year
// hourly with its 95th percentile.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "history/HistoryStore.h"

namespace {

using pulsewell::history::HistoryStore;
using pulsewell::history::Reading;

constexpr std::int64_t kStart = 1'795'000'000'000;  // November 2026
constexpr std::int64_t kYearMs = 365 * pulsewell::history::kDayMs;

// A fresh folder beside the working directory (on disk, not in memory).
class Folder {
  public:
    Folder() {
        std::string pattern = (std::filesystem::current_path() / "history-bench-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~Folder() { std::filesystem::remove_all(path_); }
    std::string File() const { return (path_ / HistoryStore::kFileName).string(); }

  private:
    std::filesystem::path path_;
};

Reading MakeReading(std::int64_t timeMs, std::int64_t interfaceIndex, std::int64_t seconds) {
    Reading r;
    r.timeMs = timeMs;
    r.device = "192.0.2.10";
    r.interfaceIndex = interfaceIndex;
    r.interfaceName = "port" + std::to_string(interfaceIndex);
    // Traffic that changes from reading to reading.
    const std::int64_t rate = 10'000 + (timeMs / 1000 * 7919 + interfaceIndex * 104729) % 90'000;
    r.inBytes = rate * seconds;
    r.outBytes = rate / 3 * seconds;
    r.inCounter = timeMs / 1000 * rate;
    r.outCounter = *r.inCounter / 3;
    r.inRate = rate;
    r.outRate = rate / 3;
    return r;
}

void StoreOneReading(benchmark::State& state) {
    Folder folder;
    std::int64_t clock = kStart;
    HistoryStore store(folder.File(), {}, {}, [&clock] { return clock; });
    for (auto _ : state) {
        clock += 1000;
        store.Record(MakeReading(clock, 1, 1));
    }
}
BENCHMARK(StoreOneReading);

void StoreSweepOfThousandInterfaces(benchmark::State& state) {
    Folder folder;
    std::int64_t clock = kStart;
    HistoryStore store(folder.File(), {}, {}, [&clock] { return clock; });
    std::vector<Reading> sweep(1000);
    for (auto _ : state) {
        state.PauseTiming();
        clock += 10'000;
        for (std::size_t i = 0; i < sweep.size(); ++i) {
            sweep[i] = MakeReading(clock, static_cast<std::int64_t>(i) + 1, 10);
        }
        state.ResumeTiming();
        store.Record(sweep);
    }
}
BENCHMARK(StoreSweepOfThousandInterfaces)->Unit(benchmark::kMillisecond);

// As a sweep stores them: each interface kept by its name, with its errors
// and discards, every 6 seconds (the window's default).
void StoreSweepOfThousandNamedInterfaces(benchmark::State& state) {
    Folder folder;
    std::int64_t clock = kStart;
    HistoryStore store(folder.File(), {}, {}, [&clock] { return clock; });
    std::vector<Reading> sweep(1000);
    for (auto _ : state) {
        state.PauseTiming();
        clock += 6'000;
        for (std::size_t i = 0; i < sweep.size(); ++i) {
            Reading& r = sweep[i];
            r = MakeReading(clock, static_cast<std::int64_t>(i) + 1, 6);
            r.interfaceName = "Gi1/0/" + std::to_string(i + 1);
            r.swept = true;
            r.inCounter.reset();
            r.outCounter.reset();
            r.inErrors = 0.5;
            r.outErrors = 0.0;
            r.inDiscards = 0.0;
            r.outDiscards = 1.5;
        }
        state.ResumeTiming();
        store.Record(sweep);
    }
}
BENCHMARK(StoreSweepOfThousandNamedInterfaces)->Unit(benchmark::kMillisecond);

// A year of one interface polled every second, stored a day per transaction:
// the retention leaves 48 hours raw, 30 days of minutes, the rest hourly and daily.
const Folder& YearFile() {
    static const Folder folder;
    static const bool filled = [] {
        std::int64_t clock = kStart;
        HistoryStore store(folder.File(), {}, {}, [&clock] { return clock; });
        std::vector<Reading> day;
        while (clock < kStart + kYearMs) {
            day.clear();
            for (int s = 0; s < 86'400; ++s, clock += 1000) {
                day.push_back(MakeReading(clock, 1, 1));
            }
            store.Record(day);
        }
        return true;
    }();
    (void)filled;
    return folder;
}

void YearAtOneSecondFileSize(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(YearFile());
    }
    state.counters["file_MB"] =
        static_cast<double>(std::filesystem::file_size(YearFile().File())) / 1e6;
}
BENCHMARK(YearAtOneSecondFileSize)->Iterations(1)->Unit(benchmark::kSecond);

void YearHourlyWithPercentile(benchmark::State& state) {
    std::int64_t clock = kStart + kYearMs;
    HistoryStore store(YearFile().File(), {}, {}, [&clock] { return clock; });
    const auto id = store.FindSeries("192.0.2.10", "1")->id;
    const std::int64_t from = clock - kYearMs;
    for (auto _ : state) {
        const auto hours = store.Range(id, from, clock, pulsewell::history::Step::Hour);
        benchmark::DoNotOptimize(store.Figures(id, from, clock));
        state.counters["points"] = static_cast<double>(hours.size());
    }
}
BENCHMARK(YearHourlyWithPercentile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

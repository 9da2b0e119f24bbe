// The history store against a file on disk: storing one reading, a sweep of
// a thousand interfaces by index, a minute of a thousand swept interfaces,
// the file's growth a day with them and where it levels off, a year of one interface at one second
// (the file's size), and reading that year hourly with its 95th percentile.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "history/HistoryStore.h"

namespace {

using pulsewell::history::HistoryStore;
using pulsewell::history::Reading;
using pulsewell::history::SweptMinute;

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

// A minute of swept interfaces as sweeps every 6 seconds (the window's
// default) add it up: ten sweeps each, with errors and discards.
std::vector<SweptMinute> MinuteOfSweeps(std::int64_t minuteMs, std::size_t interfaces = 1000) {
    std::vector<SweptMinute> minute(interfaces);
    for (std::size_t i = 0; i < minute.size(); ++i) {
        const Reading r = MakeReading(minuteMs, static_cast<std::int64_t>(i) + 1, 60);
        SweptMinute& m = minute[i];
        m = {minuteMs, r.device, "Gi1/0/" + std::to_string(i + 1), r.interfaceIndex};
        m.in = {r.inBytes, 60'000, 10, *r.inRate / 2, *r.inRate * 2, 30.0, 10, 0.0, 10};
        m.out = {r.outBytes, 60'000, 10, *r.outRate / 2, *r.outRate * 2, 0.0, 10, 90.0, 10};
    }
    return minute;
}

// An hour of closed minutes, the first creating the series; the hours close
// and prune once among them.
void StoreMinuteOfThousandSweptInterfaces(benchmark::State& state) {
    Folder folder;
    std::int64_t clock = kStart;
    HistoryStore store(folder.File(), {}, {}, [&clock] { return clock; });
    for (auto _ : state) {
        state.PauseTiming();
        const std::vector<SweptMinute> minute = MinuteOfSweeps(clock);
        clock += pulsewell::history::kMinuteMs;
        state.ResumeTiming();
        store.Record(minute);
    }
}
BENCHMARK(StoreMinuteOfThousandSweptInterfaces)->Iterations(60)->Unit(benchmark::kMillisecond);

// The file's growth a day for 1,000 swept interfaces: an hour of minutes
// (and the hour they close), scaled by 24.
void SweptGrowthPerDay(benchmark::State& state) {
    for (auto _ : state) {
        Folder folder;
        std::int64_t clock = kStart;
        std::uintmax_t empty = 0;
        {
            HistoryStore store(folder.File(), {}, {}, [&clock] { return clock; });
            store.Record(MinuteOfSweeps(clock));
        }
        empty = std::filesystem::file_size(folder.File());
        {
            HistoryStore store(folder.File(), {}, {}, [&clock] { return clock; });
            for (int i = 1; i <= 60; ++i) {
                clock += pulsewell::history::kMinuteMs;
                store.Record(MinuteOfSweeps(clock));
            }
        }
        // Closing the last connection moves the journal into the file.
        state.counters["bytes_per_day"] =
            static_cast<double>(std::filesystem::file_size(folder.File()) - empty) * 24;
    }
}
BENCHMARK(SweptGrowthPerDay)->Iterations(1)->Unit(benchmark::kMillisecond);

// Where the file levels off once the swept minutes are pruned (after 7
// days): 100 interfaces swept for 9 days, the file's size after the 8th and
// the 9th, each day's journal folded in, scaled to 1,000 interfaces.
void SweptSteadySize(benchmark::State& state) {
    for (auto _ : state) {
        Folder folder;
        std::int64_t clock = kStart;
        std::vector<double> megabytes;
        for (int day = 1; day <= 9; ++day) {
            {
                HistoryStore store(folder.File(), {}, {}, [&clock] { return clock; });
                for (int i = 0; i < 1440; ++i, clock += pulsewell::history::kMinuteMs) {
                    store.Record(MinuteOfSweeps(clock, 100));
                }
            }
            megabytes.push_back(static_cast<double>(std::filesystem::file_size(folder.File())) *
                                10 / 1e6);
        }
        state.counters["MB_after_8_days"] = megabytes[7];
        state.counters["MB_after_9_days"] = megabytes[8];
    }
}
BENCHMARK(SweptSteadySize)->Iterations(1)->Unit(benchmark::kSecond);

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

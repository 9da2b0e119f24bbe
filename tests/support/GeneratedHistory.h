#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "history/HistoryStore.h"

namespace pulsewell::test {

// Readings as a poll at a fixed interval makes them, with made-up traffic:
// each reading's bytes and rate, some polls without a value (gaps), and a
// stretch where nothing ran. Deterministic, so a failure repeats.
class ReadingGenerator {
  public:
    ReadingGenerator(std::int64_t startMs, std::int64_t intervalMs, std::uint64_t seed)
        : timeMs_(startMs), intervalMs_(intervalMs), state_(seed) {}

    // The next reading of `interfaceIndex`; the clock moves on with NextPoll().
    history::Reading Next(std::int64_t interfaceIndex) {
        history::Reading r;
        r.timeMs = timeMs_;
        r.device = "10.0.0.1";
        r.interfaceIndex = interfaceIndex;
        r.interfaceName = "eth" + std::to_string(interfaceIndex);
        const std::int64_t seconds = intervalMs_ / 1000;
        // Traffic that swings over the day, with bursts on top.
        const std::int64_t base = 1000 + static_cast<std::int64_t>(Random() % 50'000);
        const std::int64_t burst = Random() % 20 == 0 ? 2'000'000 : 0;
        r.inBytes = (base + burst) * seconds;
        r.outBytes = (base / 2 + static_cast<std::int64_t>(Random() % 9000)) * seconds;
        inCounter_ += r.inBytes;
        outCounter_ += r.outBytes;
        r.inCounter = inCounter_;
        r.outCounter = outCounter_;
        r.inRate = r.inBytes / seconds;
        r.outRate = r.outBytes / seconds;
        if (Random() % 97 == 0) {
            // No value for that side: a gap, and its bytes wait for the next poll.
            r.inRate.reset();
            r.inBytes = 0;
            r.notes |= history::InSubstituted;
        }
        return r;
    }
    void NextPoll() { timeMs_ += intervalMs_; }
    // Nothing ran for a while.
    void Skip(std::int64_t ms) { timeMs_ += ms; }
    std::int64_t Now() const { return timeMs_; }

  private:
    std::uint64_t Random() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return state_ >> 33;
    }

    std::int64_t timeMs_;
    std::int64_t intervalMs_;
    std::uint64_t state_;
    std::int64_t inCounter_ = 0;
    std::int64_t outCounter_ = 0;
};

// A reading added into its interface's minute as a sweep adds it: its bytes,
// the time they cover and one sweep, where that side has a rate.
inline void AddToMinute(history::SweptMinute& m, const history::Reading& r, std::int64_t ms) {
    m = {history::FloorTo(r.timeMs, history::kMinuteMs),
         r.device,
         r.interfaceName,
         r.interfaceIndex,
         m.in,
         m.out};
    for (const auto& [d, bytes, rate] :
         {std::tuple{&m.in, r.inBytes, r.inRate}, std::tuple{&m.out, r.outBytes, r.outRate}}) {
        if (rate) {
            d->bytes += bytes;
            d->coveredMs += ms;
            ++d->sweeps;
        }
    }
}

// What the test works out itself from the readings it generated.
class Expectation {
  public:
    void Add(const history::Reading& r) { readings_.push_back(r); }

    history::Volume VolumeOf(std::int64_t fromMs, std::int64_t toMs) const {
        history::Volume volume;
        for (const history::Reading& r : readings_) {
            if (r.timeMs >= fromMs && r.timeMs < toMs) {
                volume.in += r.inBytes;
                volume.out += r.outBytes;
            }
        }
        return volume;
    }

    // The billing convention: the mean rate of each 5-minute bucket (or
    // other) that has one, the least value that 95 % of them do not exceed.
    std::pair<double, double> Percentile95(std::int64_t fromMs, std::int64_t toMs,
                                           std::int64_t bucketMs = 300'000) const {
        // Per bucket and direction: the sum of the rates and their count.
        std::map<std::int64_t, std::array<std::pair<double, int>, 2>> buckets;
        for (const history::Reading& r : readings_) {
            if (r.timeMs >= fromMs && r.timeMs < toMs) {
                auto& bucket = buckets[r.timeMs / bucketMs];
                for (const auto& [i, rate] : {std::pair{0, r.inRate}, std::pair{1, r.outRate}}) {
                    bucket[i].first += rate ? static_cast<double>(*rate) : 0.0;
                    bucket[i].second += rate ? 1 : 0;
                }
            }
        }
        std::array<std::vector<double>, 2> means;
        for (const auto& [start, bucket] : buckets) {
            for (std::size_t i = 0; i < 2; ++i) {
                if (bucket[i].second > 0) {
                    means[i].push_back(bucket[i].first / bucket[i].second);
                }
            }
        }
        return {Rank(means[0]), Rank(means[1])};
    }

  private:
    static double Rank(std::vector<double> values) {
        std::sort(values.begin(), values.end());
        std::size_t rank = 0;
        while (rank * 100 < values.size() * 95) {
            ++rank;
        }
        return values.at(rank - 1);
    }

    std::vector<history::Reading> readings_;
};

}  // namespace pulsewell::test

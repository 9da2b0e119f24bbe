// Records one reading a second of fake time, as fast as it can, and says the
// number of each reading once it is stored, until it is killed.
#include <cstdio>
#include <string>

#include "tests/support/GeneratedHistory.h"

int main(int, char* argv[]) {
    std::int64_t clock = pulsewell::history::UtcMidnightMs({2026, 12, 1});
    pulsewell::history::HistoryStore store(
        argv[1], {}, [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); },
        [&clock] { return clock; });
    pulsewell::test::ReadingGenerator generator(clock, 1000, 5);
    for (long stored = 1;; ++stored) {
        clock = generator.Now();
        store.Record(generator.Next(1));
        generator.NextPoll();
        std::printf("%ld\n", stored);
        std::fflush(stdout);
    }
}

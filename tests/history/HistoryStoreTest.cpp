#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>
#include <utility>
#include <vector>

#include "history/Database.h"
#include "history/HistoryStore.h"
#include "history/SweptBlock.h"
#include "tests/support/GeneratedHistory.h"

namespace pulsewell {
namespace {

using history::HistoryStore;
using history::kDayMs;
using history::kHourMs;
using history::kMinuteMs;

// A fresh folder of the test's own.
struct Folder {
    QTemporaryDir dir;
    std::string File() const { return Path() / HistoryStore::kFileName; }
    std::filesystem::path Path() const { return dir.path().toStdString(); }
};

// A store on a fake clock, collecting what it reports.
struct Opened {
    Opened(const std::string& path, std::int64_t& clock, history::Retention retention = {})
        : store(
              path, retention, [this](const std::string& text) { messages.push_back(text); },
              [&clock] { return clock; }) {}
    std::vector<std::string> messages;
    HistoryStore store;
};

// How long the thousand interfaces are swept; the whole day takes minutes
// on a busy machine.
constexpr std::int64_t kSweptHours = 2;

std::int64_t Day(int year, int month, int day) {
    return history::UtcMidnightMs({year, month, day});
}

TEST(GeneratedHistory, MonthAtTenSecondsGivesThePercentileAndVolumesOfItsReadings) {
    Folder folder;
    const std::int64_t start = Day(2026, 11, 1);
    const std::int64_t end = Day(2026, 12, 1);
    const std::int64_t outage = Day(2026, 11, 10) + 2 * kHourMs;
    std::int64_t clock = start;
    test::ReadingGenerator generator(start, 10'000, 42);
    test::Expectation expected;
    {
        // Stored an hour at a time: a transaction for each of a month's
        // readings would take the test most of a minute under the sanitizers.
        Opened opened(folder.File(), clock);
        std::vector<history::Reading> hour;
        while (generator.Now() < end) {
            if (generator.Now() == outage) {
                generator.Skip(3 * kHourMs);  // the program did not run
            }
            clock = generator.Now();
            hour.push_back(generator.Next(2));
            expected.Add(hour.back());
            generator.NextPoll();
            if (generator.Now() % kHourMs == 0) {
                opened.store.Record(std::exchange(hour, {}));
            }
        }
        opened.store.Record(hour);
        EXPECT_TRUE(opened.messages.empty());
    }
    clock = end;
    Opened opened(folder.File(), clock);
    HistoryStore& store = opened.store;
    const auto series = store.FindSeries("10.0.0.1", "eth2");
    ASSERT_TRUE(series);
    EXPECT_EQ(store.FindSeries("10.0.0.1", "2")->id, series->id);

    struct Case {
        const char* name;
        std::int64_t from;
        std::int64_t to;
    };
    const Case cases[] = {
        {"the month", start, end},
        {"from the 15th", Day(2026, 11, 15), end},
        {"minutes across days", Day(2026, 11, 7) + 13 * kMinuteMs,
         Day(2026, 11, 12) + 77 * kMinuteMs},
        {"the last two days, to the millisecond", end - 2 * kDayMs + 4321, end - 999},
        {"around the outage", outage - kHourMs, outage + 4 * kHourMs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const history::Volume volume = store.VolumeOf(series->id, c.from, c.to);
        const history::Volume computed = expected.VolumeOf(c.from, c.to);
        EXPECT_EQ(volume.in, computed.in);
        EXPECT_EQ(volume.out, computed.out);
        const history::RangeFigures figures = store.Figures(series->id, c.from, c.to);
        if (c.from % (5 * kMinuteMs) == 0 && c.to % (5 * kMinuteMs) == 0) {
            const auto [in, out] = expected.Percentile95(c.from, c.to);
            EXPECT_EQ(figures.basis, history::Step::Minute);
            EXPECT_NEAR(*figures.in.percentile95, in, in * 1e-9);
            EXPECT_NEAR(*figures.out.percentile95, out, out * 1e-9);
        }
    }

    const auto months = store.MonthlyVolumes(series->id, start, end, 15);
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(months[0].period.toMs, Day(2026, 11, 15));
    EXPECT_EQ(months[0].volume.in, expected.VolumeOf(start, Day(2026, 11, 15)).in);
    EXPECT_EQ(months[1].volume.out, expected.VolumeOf(Day(2026, 11, 15), end).out);
    const auto days = store.DailyVolumes(series->id, start, end);
    ASSERT_EQ(days.size(), 30u);
    EXPECT_EQ(days[9].volume.in, expected.VolumeOf(Day(2026, 11, 10), Day(2026, 11, 11)).in);

    // A month reads hourly; the hours nothing ran are gaps, not zeroes.
    EXPECT_EQ(store.AutomaticStep(series->id, start, end), history::Step::Hour);
    const auto hours = store.Range(series->id, start, end, history::Step::Hour);
    ASSERT_EQ(hours.size(), 720u);
    const auto outageHour = (outage - start) / kHourMs;
    for (std::int64_t h = outageHour - 1; h <= outageHour + 3; ++h) {
        const bool inside = h >= outageHour && h < outageHour + 3;
        EXPECT_EQ(hours[static_cast<std::size_t>(h)].inRate.has_value(), !inside) << h;
    }
    EXPECT_EQ(store.AutomaticStep(series->id, end - kHourMs, end), history::Step::Raw);
}

TEST(GeneratedHistory, ThousandInterfacesSweptAtTenSeconds) {
    Folder folder;
    const std::int64_t start = Day(2026, 12, 1);
    const std::int64_t span = kSweptHours * kHourMs;
    std::int64_t clock = start;
    constexpr int kInterfaces = 1000;
    test::ReadingGenerator generator(start, 10'000, 7);
    std::map<int, test::Expectation> expected;
    const std::vector<int> watched = {1, 98, 377, 1000};
    {
        Opened opened(folder.File(), clock);
        // Each minute's sweeps added up, as the history receives them.
        std::vector<history::SweptMinute> minutes;
        while (generator.Now() < start + span) {
            minutes.assign(kInterfaces, {});
            for (const std::int64_t end = generator.Now() + kMinuteMs; generator.Now() < end;
                 generator.NextPoll()) {
                for (int i = 1; i <= kInterfaces; ++i) {
                    const history::Reading reading = generator.Next(i);
                    test::AddToMinute(minutes[static_cast<std::size_t>(i - 1)], reading, 10'000);
                    if (std::ranges::find(watched, i) != watched.end()) {
                        expected[i].Add(reading);
                    }
                }
            }
            clock = generator.Now();
            // Handed over in runs that cut blocks of the file apart, as a
            // sweep hands over its thousands.
            auto next = minutes.begin();
            opened.store.Record([&](std::vector<history::SweptMinute>& run) {
                const auto end = next + std::min<std::ptrdiff_t>(100, minutes.end() - next);
                run.assign(next, end);
                next = end;
                return !run.empty();
            });
        }
        EXPECT_TRUE(opened.messages.empty());
    }
    clock = start + span;
    Opened opened(folder.File(), clock);
    for (const int i : watched) {
        SCOPED_TRACE(i);
        const auto series = opened.store.FindSeries("10.0.0.1", std::to_string(i));
        ASSERT_TRUE(series);
        const auto [in, out] = expected[i].Percentile95(start, start + span);
        const auto figures = opened.store.Figures(series->id, start, start + span);
        EXPECT_NEAR(*figures.in.percentile95, in, in * 1e-9);
        EXPECT_NEAR(*figures.out.percentile95, out, out * 1e-9);
        const auto month = opened.store.MonthlyVolumes(series->id, start, start + span, 1);
        ASSERT_EQ(month.size(), 1u);
        EXPECT_EQ(month[0].volume.in, expected[i].VolumeOf(start, start + span).in);
        EXPECT_EQ(month[0].volume.out, expected[i].VolumeOf(start, start + span).out);
    }
}

// Where the minutes of a range are pruned, its figures come from its hours.
TEST(GeneratedHistory, PercentileOfHoursWhereMinutesArePruned) {
    Folder folder;
    const std::int64_t start = Day(2026, 12, 1);
    std::int64_t clock = start;
    Opened opened(folder.File(), clock, {48, 1, 730});
    test::ReadingGenerator generator(start, 30'000, 11);
    test::Expectation expected;
    while (generator.Now() < start + 4 * kDayMs) {
        clock = generator.Now();
        const history::Reading reading = generator.Next(1);
        expected.Add(reading);
        opened.store.Record(reading);
        generator.NextPoll();
    }
    // The last hour closes when the next program opens the file.
    clock = start + 4 * kDayMs;
    Opened reopened(folder.File(), clock, {48, 1, 730});
    HistoryStore& store = reopened.store;
    const auto id = store.FindSeries("10.0.0.1", "1")->id;
    const auto figures = store.Figures(id, start, clock);
    const auto [in, out] = expected.Percentile95(start, clock, kHourMs);
    EXPECT_EQ(figures.basis, history::Step::Hour);
    EXPECT_NEAR(*figures.in.percentile95, in, in * 1e-9);
    EXPECT_NEAR(*figures.out.percentile95, out, out * 1e-9);
    EXPECT_EQ(store.AutomaticStep(id, start, clock), history::Step::Hour);
}

TEST(HistoryFile, AlarmKeepsTheReadingsAroundItRaw) {
    Folder folder;
    const std::int64_t start = Day(2026, 12, 1);
    const std::int64_t alarm = start + 12 * kHourMs;
    std::int64_t clock = start;
    Opened opened(folder.File(), clock);
    test::ReadingGenerator generator(start, kMinuteMs, 3);
    while (generator.Now() < start + 4 * kDayMs) {
        clock = generator.Now();
        opened.store.Record(generator.Next(1));
        if (generator.Now() == alarm) {
            opened.store.MarkAlarm("10.0.0.1", 1, alarm);
        }
        generator.NextPoll();
    }
    const auto id = opened.store.FindSeries("10.0.0.1", "1")->id;
    const auto firstDay = opened.store.Range(id, start, start + kDayMs, history::Step::Raw);
    ASSERT_EQ(firstDay.size(), 21u);  // 11:50 to 12:10, a reading a minute
    EXPECT_EQ(firstDay.front().timeMs, alarm - 10 * kMinuteMs);
    // The last 48 hours stay whole.
    EXPECT_EQ(
        opened.store.Range(id, clock - 48 * kHourMs + 1, clock + 1, history::Step::Raw).size(),
        48u * 60u);
    EXPECT_EQ(opened.store.Range(id, start, start + kDayMs, history::Step::Minute).size(), 1440u);
}

TEST(HistoryFile, DamagedOrForeignFileIsMovedAsideAndANewOneStarted) {
    struct Case {
        const char* name;
        std::function<void(const std::string& path)> make;
        bool damaged;
    };
    const auto fillAndCut = [](const std::string& path) {
        std::int64_t clock = Day(2026, 12, 1);
        {
            HistoryStore store(path, {}, {}, [&clock] { return clock; });
            test::ReadingGenerator generator(clock, 10'000, 1);
            for (int i = 0; i < 3000; ++i) {
                store.Record(generator.Next(1 + i % 7));
                generator.NextPoll();
            }
        }
        std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
    };
    const Case cases[] = {
        {"garbage", [](const std::string& path) { std::ofstream(path) << std::string(9000, 'x'); },
         true},
        {"truncated", fillAndCut, true},
        {"another program's database",
         [](const std::string& path) {
             std::int64_t clock = 0;
             HistoryStore(path, {}, {}, [&clock] {
                 return clock;
             }).Record(test::ReadingGenerator(0, 1000, 1).Next(1));
             std::ofstream(path, std::ios::in | std::ios::out | std::ios::binary).seekp(68)
                 << std::string(4, '\0');  // SQLite's application id, cleared
         },
         true},
        {"empty", [](const std::string& path) { std::ofstream{path}; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Folder folder;
        c.make(folder.File());
        std::int64_t clock = Day(2026, 12, 2);
        Opened opened(folder.File(), clock);
        ASSERT_TRUE(opened.store.Usable());
        ASSERT_EQ(opened.messages.size(), c.damaged ? 1u : 0u);
        std::size_t aside = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            aside += entry.path().filename().string().starts_with("history.sqlite.corrupt-");
        }
        EXPECT_EQ(aside, c.damaged ? 1u : 0u);
        if (c.damaged) {
            EXPECT_NE(opened.messages[0].find(folder.File()), std::string::npos);
            EXPECT_NE(opened.messages[0].find(".corrupt-"), std::string::npos);
        }
        // The new file takes readings.
        opened.store.Record(test::ReadingGenerator(clock, 1000, 1).Next(4));
        const auto series = opened.store.FindSeries("10.0.0.1", "4");
        ASSERT_TRUE(series);
        EXPECT_EQ(opened.store.Range(series->id, clock, clock + 1, history::Step::Raw).size(), 1u);
        EXPECT_EQ(opened.messages.size(), c.damaged ? 1u : 0u);
    }
}

TEST(HistoryFile, UnwritablePlaceIsReportedOnceAndRecordingGoesOn) {
    Folder folder;
    std::ofstream(folder.Path() / "plain-file") << "x";
    const std::string places[] = {
        "/proc/" + std::string(HistoryStore::kFileName),  // read-only, even for root
        (folder.Path() / "plain-file" / HistoryStore::kFileName).string(),
    };
    for (const std::string& path : places) {
        SCOPED_TRACE(path);
        std::int64_t clock = Day(2026, 12, 1);
        Opened opened(path, clock);
        EXPECT_FALSE(opened.store.Usable());
        test::ReadingGenerator generator(clock, 1000, 1);
        for (int i = 0; i < 3; ++i) {
            opened.store.Record(generator.Next(1));
            opened.store.MarkAlarm("10.0.0.1", 1, clock);
            generator.NextPoll();
        }
        ASSERT_EQ(opened.messages.size(), 1u);
        EXPECT_NE(opened.messages[0].find(path), std::string::npos);
    }
}

// A file of a later Pulsewell is neither written nor moved aside.
TEST(HistoryFile, NewerSchemaIsLeftAlone) {
    Folder folder;
    std::int64_t clock = Day(2026, 12, 1);
    { Opened(folder.File(), clock).store.Record(test::ReadingGenerator(clock, 1000, 1).Next(1)); }
    history::Database(folder.File()).Execute("UPDATE schema_version SET version = 99");
    const auto size = std::filesystem::file_size(folder.File());
    Opened opened(folder.File(), clock);
    opened.store.Record(test::ReadingGenerator(clock + 1000, 1000, 1).Next(1));
    EXPECT_FALSE(opened.store.Usable());
    ASSERT_EQ(opened.messages.size(), 1u);
    EXPECT_NE(opened.messages[0].find("newer"), std::string::npos) << opened.messages[0];
    EXPECT_EQ(std::filesystem::file_size(folder.File()), size);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

// A file the previous version wrote (schema 1) opens with its readings; its
// polled interface goes on in its series, and a swept one of the same name
// gets a series of its own that follows the name to another index.
TEST(HistoryFile, PreviousSchemaKeepsItsReadings) {
    Folder folder;
    std::filesystem::copy_file(PULSEWELL_HISTORY_SCHEMA_1, folder.File());
    std::vector<std::pair<std::int64_t, std::optional<double>>> before;
    {
        history::Database old(folder.File());
        history::Statement rows(old, "SELECT t, in_rate FROM raw WHERE series = 1 ORDER BY t");
        while (rows.Step()) {
            before.emplace_back(rows.Integer(0), rows.OptionalReal(1));
        }
    }
    ASSERT_EQ(before.size(), 131u);
    std::int64_t clock = before.back().first + 1000;
    Opened opened(folder.File(), clock);
    ASSERT_TRUE(opened.store.Usable());
    const auto polled = opened.store.FindSeries("10.0.0.1", "1");
    ASSERT_TRUE(polled);
    const auto points = opened.store.Range(polled->id, 0, clock, history::Step::Raw);
    ASSERT_EQ(points.size(), before.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(std::pair(points[i].timeMs, points[i].inRate), before[i]);
    }

    test::ReadingGenerator generator(clock, 1000, 3);
    opened.store.Record(generator.Next(1));
    const std::int64_t minute = history::CeilTo(clock, kMinuteMs);
    history::SweptMinute sweep{minute, "10.0.0.1", "eth1", 7, {}, {}};
    sweep.in = {6000, 6000, 1, 1000, 1000, 3.0, 1};
    opened.store.Record(std::vector{sweep});
    sweep.minuteMs += kMinuteMs;
    sweep.interfaceIndex = 9;  // renumbered
    opened.store.Record(std::vector{sweep});
    EXPECT_TRUE(opened.messages.empty());
    EXPECT_EQ(opened.store.FindSeries("10.0.0.1", "1")->id, polled->id);
    EXPECT_EQ(opened.store.Range(polled->id, 0, clock + 2000, history::Step::Raw).size(),
              before.size() + 1);
    const auto swept = opened.store.FindSeries("10.0.0.1", "eth1");
    ASSERT_TRUE(swept);
    EXPECT_TRUE(swept->swept);
    EXPECT_EQ(swept->interfaceIndex, 9);
    EXPECT_EQ(opened.store.FindSeries("10.0.0.1", "9")->id, swept->id);
    const auto minutes =
        opened.store.Range(swept->id, minute, minute + 2 * kMinuteMs, history::Step::Minute);
    ASSERT_EQ(minutes.size(), 2u);
    EXPECT_EQ(minutes[1].inErrors, 0.5);
}

// A file of schema 2 kept swept interfaces' minutes a row each: after the
// upgrade every minute reads as it was written (one interface missed five
// of them), the hour it closed stays, and sweeping goes on in the same series.
TEST(HistoryFile, SchemaTwoSweptMinutesReadAsTheyWereWritten) {
    Folder folder;
    std::filesystem::copy_file(PULSEWELL_HISTORY_SCHEMA_2, folder.File());
    std::map<std::string, std::vector<history::Point>> written;
    {
        history::Database old(folder.File());
        history::Statement rows(
            old,
            "SELECT s.ifname, m.t, m.in_avg, m.out_avg, m.in_min, m.in_max, m.out_min, m.out_max, "
            "m.in_bytes, m.out_bytes, max(m.in_count, m.out_count), m.in_errors, m.out_discards "
            "FROM minute m JOIN series s ON s.id = m.series WHERE s.swept = 1 ORDER BY m.t");
        while (rows.Step()) {
            history::Point& p = written[rows.Text(0)].emplace_back();
            p.timeMs = rows.Integer(1);
            p.inRate = rows.OptionalReal(2);
            p.outRate = rows.OptionalReal(3);
            p.inMin = rows.OptionalReal(4);
            p.inMax = rows.OptionalReal(5);
            p.outMin = rows.OptionalReal(6);
            p.outMax = rows.OptionalReal(7);
            p.inBytes = rows.Integer(8);
            p.outBytes = rows.Integer(9);
            p.samples = rows.Integer(10);
            p.inErrors = rows.OptionalReal(11);
            p.outDiscards = rows.OptionalReal(12);
        }
    }
    ASSERT_EQ(written["eth2"].size(), 70u);
    const std::int64_t start = written["eth1"].front().timeMs;
    std::int64_t clock = start + 2 * kHourMs;
    Opened opened(folder.File(), clock);
    const auto near = [](const std::optional<double>& a, const std::optional<double>& b) {
        return a.has_value() == b.has_value() && (!a || std::abs(*a - *b) <= 1e-9 * std::abs(*b));
    };
    for (const auto& [name, minutes] : written) {
        SCOPED_TRACE(name);
        const auto series = opened.store.FindSeries("10.0.0.1", name);
        ASSERT_TRUE(series);
        std::vector<history::Point> read;
        for (const history::Point& p :
             opened.store.Range(series->id, start, start + 75 * kMinuteMs, history::Step::Minute)) {
            if (p.samples > 0) {
                read.push_back(p);
            }
        }
        ASSERT_EQ(read.size(), minutes.size());
        for (std::size_t i = 0; i < read.size(); ++i) {
            const history::Point& a = read[i];
            const history::Point& b = minutes[i];
            EXPECT_TRUE(a.timeMs == b.timeMs && a.inBytes == b.inBytes &&
                        a.outBytes == b.outBytes && a.samples == b.samples && a.inMin == b.inMin &&
                        a.inMax == b.inMax && a.outMin == b.outMin && a.outMax == b.outMax &&
                        near(a.inRate, b.inRate) && near(a.outRate, b.outRate) &&
                        near(a.inErrors, b.inErrors) && near(a.outDiscards, b.outDiscards))
                << "minute " << i;
        }
        const auto hours =
            opened.store.Range(series->id, start, start + kHourMs, history::Step::Hour);
        ASSERT_EQ(hours.size(), 1u);
        EXPECT_EQ(hours[0].samples, name == "eth2" ? 165 : 180);
    }
    const auto eth2 = opened.store.FindSeries("10.0.0.1", "eth2");
    history::SweptMinute more{start + 75 * kMinuteMs, "10.0.0.1", "eth2", 2, {}, {}};
    more.in = {6000, 6000, 1, 1000, 1000, 0.0, 1};
    opened.store.Record(std::vector{more});
    const auto after = opened.store.Range(eth2->id, more.minuteMs, more.minuteMs + kMinuteMs,
                                          history::Step::Minute);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].inBytes, 6000);
    EXPECT_EQ(opened.store.FindSeries("10.0.0.1", "eth2")->id, eth2->id);
    EXPECT_TRUE(opened.messages.empty());
}

// A block row another writer cut short or a damaged page bent: each place
// decodes whole or not at all, and nothing is read past the bytes.
TEST(HistoryFile, ShortOrBentBlockRowsDecodeOnlyWholePlaces) {
    history::BlockMinute minute;
    std::map<int, history::SweptFigures> placed;
    for (const int place : {0, 5, 31}) {
        history::SweptFigures figures;
        figures.in = {-7,  60'000, 10,  1, std::numeric_limits<std::int64_t>::max(),
                      0.5, 10,     0.0, 10};
        figures.out = {place * 1000LL, 30'000, 5, 2, 3, 0.0, 5, 1e300, 5};
        minute.Add(place, figures);
        placed[place] = figures;
    }
    const std::vector<unsigned char> data = minute.Encode();
    const auto same = [](const history::SweptFigures& a, const history::SweptFigures& b) {
        return std::memcmp(&a, &b, sizeof a) == 0;
    };
    for (std::size_t size = 0; size <= data.size(); ++size) {
        const std::span<const unsigned char> cut(data.data(), size);
        for (int place = -1; place <= history::kBlockPlaces; ++place) {
            const auto figures = history::BlockMinute::DecodePlace(cut, place);
            EXPECT_TRUE(!figures || (placed.contains(place) && same(*figures, placed[place])))
                << size << " bytes, place " << place;
            if (size == data.size() || place == 31) {
                EXPECT_EQ(figures.has_value(), size == data.size() && placed.contains(place))
                    << size << " bytes, place " << place;
            }
        }
    }
    std::vector<unsigned char> bent = data;
    bent[1] = 0xff;  // the first place ends past the data
    bent[2] = 0xff;
    EXPECT_FALSE(history::BlockMinute::DecodePlace(bent, 0));
    EXPECT_TRUE(history::BlockMinute::DecodePlace(bent, 31));
}

// A swept interface at a place in its block that no writer gives (a bent
// file): the file goes aside as a damaged one, and the next minute goes into
// a new one.
TEST(HistoryFile, SweptInterfaceWithoutAValidPlaceMovesTheFileAside) {
    for (const char* bend : {"UPDATE series SET place = 99", "UPDATE series SET block = 0"}) {
        SCOPED_TRACE(bend);
        Folder folder;
        std::int64_t clock = Day(2026, 12, 8);
        history::SweptMinute minute{clock, "10.0.0.3", "Gi1/0/1", 1, {}, {}};
        minute.in = {6000, 60'000, 10, 100, 100, 0.0, 10, 0.0, 10};
        {
            Opened opened(folder.File(), clock);
            opened.store.Record(std::vector{minute});
        }
        history::Database(folder.File()).Execute(bend);
        clock += kMinuteMs;
        Opened opened(folder.File(), clock);
        ASSERT_EQ(opened.messages.size(), 1u);
        EXPECT_NE(opened.messages[0].find(".corrupt-"), std::string::npos);
        minute.minuteMs = clock;
        opened.store.Record(std::vector{minute});
        const auto series = opened.store.FindSeries("10.0.0.3", "Gi1/0/1");
        ASSERT_TRUE(series);
        const auto minutes =
            opened.store.Range(series->id, clock, clock + kMinuteMs, history::Step::Minute);
        ASSERT_EQ(minutes.size(), 1u);
        EXPECT_EQ(minutes[0].inBytes, 6000);
        EXPECT_EQ(opened.messages.size(), 1u);
    }
}

// A swept interface's minutes: the average is the bytes over the seconds its
// sweeps covered, a minute cut short and resumed adds up, a side no sweep
// measured is a gap, and hours close from the minutes.
TEST(HistoryFile, SweptMinutesAddUpToExactAverages) {
    Folder folder;
    const std::int64_t hour = Day(2026, 12, 8) + 10 * kHourMs;
    std::int64_t clock = hour;
    Opened opened(folder.File(), clock);
    const auto minuteAt = [&](int index, const history::MinuteDirection& in) {
        history::SweptMinute m{hour + index * kMinuteMs, "10.0.0.2", "Gi1/0/2", 2, in, {}};
        opened.store.Record(std::vector{m});
    };
    // 4 sweeps: 9000 bytes in 18 s; cut short, then 2 more sweeps of 3000 bytes in 12 s.
    minuteAt(0, {9000, 18000, 4, 100, 900, 36.0, 4, 0.0, 4});
    minuteAt(0, {3000, 12000, 2, 200, 300, 0.0, 2, 0.0, 0});
    minuteAt(1, {0, 0, 0, 0, 0, 0.0, 0, 0.0, 0});
    minuteAt(59, {6000, 60000, 10, 100, 100, 0.0, 10, 0.0, 10});
    minuteAt(60, {600, 6000, 1, 100, 100, 0.0, 1, 0.0, 1});  // the hour closes
    EXPECT_TRUE(opened.messages.empty());
    const auto series = opened.store.FindSeries("10.0.0.2", "Gi1/0/2");
    ASSERT_TRUE(series);
    const auto minutes =
        opened.store.Range(series->id, hour, hour + 2 * kMinuteMs, history::Step::Minute);
    ASSERT_EQ(minutes.size(), 2u);
    EXPECT_EQ(minutes[0].inBytes, 12000);
    EXPECT_DOUBLE_EQ(*minutes[0].inRate, 12000.0 / 30.0);
    EXPECT_EQ(minutes[0].samples, 6);
    EXPECT_EQ(minutes[0].inMin, 100);
    EXPECT_EQ(minutes[0].inMax, 900);
    EXPECT_DOUBLE_EQ(*minutes[0].inErrors, 36.0 / 30.0);
    EXPECT_DOUBLE_EQ(*minutes[0].inDiscards, 0.0);
    EXPECT_FALSE(minutes[0].outRate);
    EXPECT_FALSE(minutes[1].inRate);
    const auto hours = opened.store.Range(series->id, hour, hour + kHourMs, history::Step::Hour);
    ASSERT_EQ(hours.size(), 1u);
    EXPECT_EQ(hours[0].inBytes, 18000);
    EXPECT_EQ(hours[0].samples, 16);
    EXPECT_EQ(opened.store.VolumeOf(series->id, hour, hour + 2 * kHourMs).in, 18600);
}

// Swept interfaces' minutes go after days of their own, polled ones' after
// theirs; the hours of both stay.
TEST(HistoryFile, SweptMinutesAreKeptDaysOfTheirOwn) {
    Folder folder;
    const std::int64_t start = Day(2026, 12, 1);
    const std::int64_t end = start + 5 * kDayMs;
    std::int64_t clock = start;
    Opened opened(folder.File(), clock, {48, 3, 730, 1});
    // Every hour a poll of eth2 and a swept minute of eth3.
    for (test::ReadingGenerator generator(start, kHourMs, 5); generator.Now() < end;
         generator.NextPoll()) {
        clock = generator.Now();
        opened.store.Record(generator.Next(2));
        history::SweptMinute minute;
        test::AddToMinute(minute, generator.Next(3), 60'000);
        opened.store.Record(std::vector{minute});
    }
    for (const auto& [interface, days] : {std::pair{"eth2", 3L}, std::pair{"eth3", 1L}}) {
        SCOPED_TRACE(interface);
        const auto series = opened.store.FindSeries("10.0.0.1", interface);
        ASSERT_TRUE(series);
        for (const history::Step step : {history::Step::Minute, history::Step::Hour}) {
            const auto points = opened.store.Range(series->id, start, end, step);
            EXPECT_EQ(std::ranges::count_if(points, [](const auto& p) { return p.samples > 0; }),
                      step == history::Step::Minute ? days * 24 : 5 * 24 - 1);
        }
    }
    EXPECT_TRUE(opened.messages.empty());
}

TEST(HistoryFile, TwoWritersAtOnceBothSucceed) {
    Folder folder;
    const std::int64_t start = Day(2026, 12, 1);
    std::vector<std::string> messages;
    std::mutex guard;
    const auto write = [&](int interfaceIndex) {
        std::int64_t clock = start;
        HistoryStore store(
            folder.File(), {},
            [&](const std::string& text) {
                const std::lock_guard lock(guard);
                messages.push_back(text);
            },
            [&clock] { return clock; });
        test::ReadingGenerator generator(start, 1000, static_cast<std::uint64_t>(interfaceIndex));
        for (int i = 0; i < 400; ++i) {
            clock = generator.Now();
            store.Record(generator.Next(interfaceIndex));
            generator.NextPoll();
        }
    };
    std::thread window(write, 1);
    std::thread cli(write, 2);
    window.join();
    cli.join();
    EXPECT_TRUE(messages.empty()) << messages.front();
    std::int64_t clock = start;
    Opened opened(folder.File(), clock);
    for (const char* interface : {"1", "2"}) {
        const auto series = opened.store.FindSeries("10.0.0.1", interface);
        ASSERT_TRUE(series);
        EXPECT_EQ(opened.store.Range(series->id, start, start + kHourMs, history::Step::Raw).size(),
                  400u);
    }
}

}  // namespace
}  // namespace pulsewell

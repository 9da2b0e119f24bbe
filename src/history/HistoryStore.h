#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "history/Calendar.h"
#include "history/Reading.h"
#include "history/SweptBlock.h"

namespace pulsewell::history {

struct Connection;

// The resolutions a range can be read at.
enum class Step { Raw, Minute, Hour, Day };

// One point of a range: a reading, or a bucket of a consolidated step. A
// direction without a rate is a gap (no reading, or none with a value).
struct Point {
    // The reading's time, or the start of its bucket.
    std::int64_t timeMs = 0;
    // Bytes per second: the reading's, or the bucket's average, least and most.
    std::optional<double> inRate;
    std::optional<double> outRate;
    std::optional<double> inMin, inMax, outMin, outMax;
    std::int64_t inBytes = 0;
    std::int64_t outBytes = 0;
    // Readings with a value behind the point.
    std::int64_t samples = 0;
    std::uint32_t notes = 0;
    // Errors and discards per second: the reading's, or the bucket's average.
    std::optional<double> inErrors, outErrors, inDiscards, outDiscards;
};

struct Volume {
    std::int64_t in = 0;
    std::int64_t out = 0;
    // The stored rows behind it: none means nothing was read, not zero bytes.
    std::int64_t rows = 0;
    Volume& operator+=(const Volume& other) {
        in += other.in;
        out += other.out;
        rows += other.rows;
        return *this;
    }
};

struct PeriodVolume {
    Period period;
    Volume volume;
};

// Rates in bytes per second; empty where the range has no value for it.
struct DirectionFigures {
    std::optional<double> average;
    std::optional<double> maximum;
    std::optional<double> percentile95;
};

struct RangeFigures {
    // The rows the figures come from: Minute means 5-minute averages.
    std::optional<Step> basis;
    DirectionFigures in;
    DirectionFigures out;
};

// One device's interface as stored: polled, kept by its index, or swept,
// kept by its name (its index the one it had last).
struct Series {
    std::int64_t id = 0;
    std::string device;
    std::int64_t interfaceIndex = 0;
    std::string interfaceName;
    bool swept = false;
};

// The store of readings in one SQLite file shared by every Pulsewell program:
// raw readings (swept interfaces from their minutes on), consolidated per
// minute, hour and day as each closes, pruned
// after their retention, and kept raw around every alarm. A writer waits for
// the other (busy time-out). A file that is no Pulsewell history or is damaged
// is moved aside with a time stamp and a new one started; a file that cannot
// be written is reported once until writing works again. Every failure goes
// to the reporter, never out of Record.
class HistoryStore {
  public:
    using Reporter = std::function<void(const std::string&)>;
    // Milliseconds since 1970, UTC.
    using Clock = std::function<std::int64_t()>;

    static constexpr const char* kFileName = "history.sqlite";
    // Points a range read at an automatic step holds at most.
    static constexpr std::int64_t kMaxPoints = 2000;

    HistoryStore(std::string path, Retention retention, Reporter reporter,
                 Clock clock = SystemClockMs);
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    static std::int64_t SystemClockMs();

    // False when the file could not be opened or made.
    bool Usable() const;
    const std::string& Path() const { return path_; }

    // One poll; one transaction.
    void Record(const Reading& reading);
    // Many interfaces at once; one transaction.
    void Record(const std::vector<Reading>& readings);
    // The minutes of swept interfaces, each added to what its minute holds
    // already; one transaction.
    void Record(const std::vector<SweptMinute>& minutes);
    // The same, one minute's interfaces taken run by run; one transaction.
    void Record(const SweptMinuteRuns& runs);
    // An alarm went off: the raw readings around it are kept.
    void MarkAlarm(const std::string& device, std::int64_t interfaceIndex, std::int64_t timeMs);

    // The queries throw DatabaseError when the file cannot be read.
    std::vector<Series> AllSeries();
    // `interface` is the index as decimal text or the name. An index finds
    // the polled interface, else the swept one last seen there (the latest);
    // a name finds the swept interface, else a polled one of that name.
    std::optional<Series> FindSeries(const std::string& device, const std::string& interface);
    // The finest step with rows over [from, to) that gives at most kMaxPoints.
    Step AutomaticStep(std::int64_t seriesId, std::int64_t fromMs, std::int64_t toMs);
    // The readings or buckets of [from, to); a consolidated step has a point
    // for every bucket, a gap where nothing was read.
    std::vector<Point> Range(std::int64_t seriesId, std::int64_t fromMs, std::int64_t toMs,
                             Step step);
    // Bytes counted by the readings of [from, to), from the coarsest rows that cover it.
    Volume VolumeOf(std::int64_t seriesId, std::int64_t fromMs, std::int64_t toMs);
    std::vector<PeriodVolume> DailyVolumes(std::int64_t seriesId, std::int64_t fromMs,
                                           std::int64_t toMs);
    // Billing months (from `billingDay`, 1..28) that overlap [from, to).
    std::vector<PeriodVolume> MonthlyVolumes(std::int64_t seriesId, std::int64_t fromMs,
                                             std::int64_t toMs, int billingDay);
    // Average, maximum and 95th percentile per direction: of 5-minute averages
    // where the range has minute rows, else of the finest rows it has.
    RangeFigures Figures(std::int64_t seriesId, std::int64_t fromMs, std::int64_t toMs);
    // When alarms went off in [from, to), in order.
    std::vector<std::int64_t> AlarmTimes(std::int64_t seriesId, std::int64_t fromMs,
                                         std::int64_t toMs);
    // The hour of [from, to) with the most bytes both ways.
    std::optional<PeriodVolume> BusiestHour(std::int64_t seriesId, std::int64_t fromMs,
                                            std::int64_t toMs);

  private:
    struct SeriesState {
        std::int64_t id = 0;
        // The first bucket of each level not yet consolidated (0: nothing read yet).
        std::int64_t minuteUntil = 0;
        std::int64_t hourUntil = 0;
        std::int64_t dayUntil = 0;
        // Raw readings before it are pruned (but those around alarms).
        std::int64_t prunedUntil = 0;
        bool swept = false;
        // A swept series' minutes: its block and its place in it.
        std::int64_t block = 0;
        int place = 0;
    };
    // Swept series by device and name, with the index they were last seen at:
    // a minute's rows find theirs without a query. Cleared when a write fails.
    struct SweptSeries {
        SeriesState state;
        std::int64_t interfaceIndex = 0;
    };

    void Open();
    void OpenFile();
    void MoveAside(const std::string& why);
    void Report(const std::string& text);
    // Runs `body` in one transaction; a failure is reported or moves the file aside.
    void Write(const std::function<void()>& body);
    void WriteOne(const Reading& reading);
    void WriteMinutes(const std::vector<SweptMinute>& minutes);
    using SweptDevice = std::unordered_map<std::string, SweptSeries>;
    SweptSeries& SweptSeriesOf(SweptDevice& device, const SweptMinute& minute);
    // Adds a block's minute to what the file holds of it.
    void WriteBlock(std::int64_t rowId, const BlockMinute& minute);
    // The minute of a swept series came: true when it closed an hour, which
    // the caller consolidates with the other interfaces'.
    bool AdvanceSwept(SeriesState& series, std::int64_t minuteMs);
    SeriesState SeriesFor(const std::string& device, std::int64_t interfaceIndex,
                          const std::string& interfaceName, bool swept);
    // A new swept series' block and place: the device's last block while it has room.
    std::pair<std::int64_t, int> NextPlace(const std::string& device);
    void SaveSeries(const SeriesState& series);
    void CloseMinutes(SeriesState& series, std::int64_t minuteMs, std::int64_t nowMs);
    // The days the hours closed, pruning, and the series' state saved.
    void CloseDays(SeriesState& series, std::int64_t nowMs);
    void Reconsolidate(SeriesState& series, std::int64_t minuteMs);
    void Consolidate(int level, std::int64_t seriesId, std::int64_t fromMs, std::int64_t toMs);
    // The hours of [from, to) from the minutes, whichever way they are kept.
    void ConsolidateHours(SeriesState& series, std::int64_t fromMs, std::int64_t toMs);
    // Swept series' hours of one block, each of its own [from, to).
    struct HourSpan {
        SeriesState* series;
        std::int64_t fromMs;
        std::int64_t toMs;
    };
    void ConsolidateSweptHours(std::span<const HourSpan> spans);
    void Prune(SeriesState& series, std::int64_t nowMs);
    void CatchUp();
    SeriesState LoadSeries(std::int64_t seriesId);
    // Whether each level has rows from the start of [from, ...) on, or from
    // the first reading when that came later.
    std::array<bool, 4> Covering(const SeriesState& series, std::int64_t fromMs);
    Volume LevelVolume(const SeriesState& series, int level, std::int64_t fromMs,
                       std::int64_t toMs);
    Connection& Db();

    std::string path_;
    Retention retention_;
    Reporter reporter_;
    Clock clock_;
    std::unique_ptr<Connection> connection_;
    std::unordered_map<std::string, SweptDevice> swept_;
    // A write failed and was reported; the next success clears it.
    bool failing_ = false;
};

// Text forms of the steps: "raw", "1m", "1h", "1d".
const char* StepName(Step step);
std::optional<Step> ParseStep(const std::string& text);

}  // namespace pulsewell::history

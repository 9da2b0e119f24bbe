// The CPU time the history window takes to show a year at hourly resolution
// with its percentiles, over a generated store (a year of hourly readings,
// then a day at 10 s, with stretches where nothing ran); renders the window at
// 24 hours and at the year to PNG files for looking at.
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/HistoryWindow.h"
#include "app/MessageBoxes.h"
#include "tests/support/GeneratedHistory.h"

using namespace pulsewell;

namespace {

class PrintingReporter : public ErrorReporter {
  public:
    void ShowError(const QString& message) override {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
};

double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void Fill(history::HistoryStore& store, std::int64_t& clock, std::int64_t start, std::int64_t end,
          std::int64_t intervalMs, std::int64_t skipAt, std::int64_t skipMs) {
    test::ReadingGenerator generator(start, intervalMs, static_cast<std::uint64_t>(start));
    while (generator.Now() < end) {
        if (generator.Now() >= skipAt && generator.Now() < skipAt + intervalMs) {
            generator.Skip(skipMs);
        }
        const history::Reading reading = generator.Next(2);
        clock = reading.timeMs;
        store.Record(reading);
        generator.NextPoll();
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir dir;
    const std::int64_t end =
        QDateTime(QDate(2026, 12, 8), QTime(12, 0), Qt::UTC).toMSecsSinceEpoch();
    const std::int64_t dayStart = end - history::kDayMs;
    std::int64_t clock = end - 366 * history::kDayMs;
    history::HistoryStore store(
        dir.filePath(QStringLiteral("history.sqlite")).toStdString(), {},
        [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); },
        [&clock] { return clock; });
    // A week in spring without the program, and an afternoon hour in the last day.
    Fill(store, clock, clock, dayStart, history::kHourMs, end - 250 * history::kDayMs,
         7 * history::kDayMs);
    Fill(store, clock, dayStart, end + 10 * history::kMinuteMs, 10'000, end - 5 * history::kHourMs,
         history::kHourMs);

    QtMessageBoxes boxes;
    PrintingReporter reporter;
    HistoryWindow window(store, QStringLiteral("10.0.0.1"), QStringLiteral("2"), false, boxes,
                         reporter, [end] { return end; });
    window.show();
    window.grab().save(folder + QStringLiteral("/history-24h.png"));

    window.findChild<QComboBox*>(QStringLiteral("historyRange"))
        ->setCurrentIndex(static_cast<int>(HistorySpan::Year));
    window.grab().save(folder + QStringLiteral("/history-year.png"));

    std::vector<double> times;
    for (int i = 0; i < 10; ++i) {
        const double before = CpuMs();
        window.Refresh();
        times.push_back(CpuMs() - before);
    }
    std::sort(times.begin(), times.end());
    std::printf("a year at %s: %zu points, %.1f ms of CPU to show (median of 10, %.1f to %.1f)\n",
                history::StepName(window.View().Step()), window.View().Points().size(), times[5],
                times.front(), times.back());
    return 0;
}

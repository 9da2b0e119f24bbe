#include "cli/TopCommand.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "cli/CliMonitor.h"
#include "cli/StopSignals.h"
#include "cli/TopRecords.h"
#include "cli/TopRows.h"
#include "cli/TopScreen.h"
#include "core/OperationError.h"
#include "core/numbers/NumberText.h"
#include "core/settings/SettingNames.h"
#include "core/settings/SettingsKey.h"
#include "core/sweep/InterfaceSweeper.h"

namespace pulsewell::cli {

namespace {

// Bytes of records gathered before they are written.
constexpr std::size_t kRecordBytesPerWrite = 8192;

// The stored high threshold of the window's options, else 90 %.
double HighThreshold() {
    try {
        if (const auto high = SettingsKey().Read(settings::kHighValue.name)) {
            return ParseStoredInt32(*high);
        }
    } catch (const ConversionError&) {
    } catch (const OperationError&) {
    }
    return 90.0;
}

// The terminal's columns and rows; none when standard output is no terminal.
std::optional<std::pair<int, int>> TerminalSize() {
    if (::isatty(STDOUT_FILENO) != 1) {
        return std::nullopt;
    }
    winsize size = {};
    if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0 || size.ws_row == 0) {
        return std::pair(80, 24);
    }
    return std::pair(static_cast<int>(size.ws_col), static_cast<int>(size.ws_row));
}

}  // namespace

int RunTop(const TopOptions& options, DeviceReader& reader) {
    CliMonitor cli(reader, options.host, options.community, options.snmpVersion, options.connection,
                   Echo::Quiet);
    const TMonitorState& state = cli.monitor().State();
    DeviceWorker& worker = cli.monitor().Worker();
    InterfaceSweeper sweeper(worker);
    sweeper.SetTarget(state.Device);
    sweeper.SetHighThreshold(HighThreshold());

    const TopRows shown(options.interfaces, options.sort);
    TopScreen screen(options.host);
    std::unique_ptr<TopRecords> records;
    if (options.format != OutputFormat::Text) {
        records = std::make_unique<TopRecords>(options.format, options.host, options.interval);
        if (const auto header = records->Header()) {
            PrintOut(*header);
        }
    }
    bool answered = false;
    qint64 sweeps = 0;
    std::string lines;
    const auto end = [&] {
        sweeper.Stop();
        worker.Abandon();
        QCoreApplication::exit(answered ? 0 : 1);
    };
    QObject::connect(&sweeper, &InterfaceSweeper::SweepEnded, [&](const SweepResult& sweep) {
        answered = answered || !sweep.silent;
        const std::vector<const SweepRow*> rows = shown.Of(sweep.rows);
        const QList<SweepEvent> events = shown.Of(sweep.events);
        if (records) {
            // Events first: a reader of both streams has them by the sweep's records.
            for (const SweepEvent& event : events) {
                PrintErr(QStringLiteral("event: ") + SweepEventLine(event));
            }
            // Records a few dozen to a write: fewer writes, and no sweep's
            // worth held at once.
            records->Begin(sweep);
            for (const SweepRow* row : rows) {
                records->Append(lines, *row);
                if (lines.size() >= kRecordBytesPerWrite) {
                    WriteOut(lines);
                    lines.clear();
                }
            }
            if (!lines.empty()) {
                WriteOut(lines);
                lines.clear();
            }
        } else if (const auto size = TerminalSize()) {
            // Home, the lines, and the rest of the screen cleared; the last
            // line without its break, so that a full screen does not scroll.
            lines = "\x1b[H";
            screen.Append(lines, sweep, rows, events, size->first, size->second, "\x1b[K\n");
            lines.pop_back();
            lines += "\x1b[J";
            WriteOut(lines);
            lines.clear();
        } else {
            screen.Append(lines, sweep, rows, events, 0, 0, "\n");
            WriteOut(lines);
            lines.clear();
        }
        if (options.count && ++sweeps >= *options.count) {
            end();
        }
    });
    QObject::connect(&sweeper, &InterfaceSweeper::HistoryFailed, &PrintErr);
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::StopRequested, end);
    if (records == nullptr && TerminalSize()) {
        std::fputs("\x1b[H\x1b[2J", stdout);
        std::fflush(stdout);
    }
    QTimer::singleShot(0, &sweeper, [&] { sweeper.Start(options.interval); });
    const int code = QCoreApplication::exec();
    if (records == nullptr && TerminalSize()) {
        std::fputs("\n", stdout);
    }
    return code;
}

}  // namespace pulsewell::cli

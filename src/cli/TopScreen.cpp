#include "cli/TopScreen.h"

#include <algorithm>

#include "cli/PollRecords.h"
#include "cli/TopRecords.h"
#include "core/numbers/NumberText.h"
#include "core/sweep/SweepResult.h"
#include "core/text/VisibleText.h"

namespace pulsewell::cli {

namespace {

// Events the screen keeps for its foot.
constexpr qsizetype kKeptEvents = 5;
constexpr int kNameWidth = 20;

QString Cell(const QString& text, int width, bool right = true) {
    const QString cut = text.left(width);
    return right ? cut.rightJustified(width) : cut.leftJustified(width);
}

QString Percent(const std::optional<double>& value) {
    return value ? QString::number(*value, 'f', 1) : QStringLiteral("-");
}

QString Rate(const std::optional<std::int64_t>& bitsPerSecond) {
    return bitsPerSecond ? ShortRate(*bitsPerSecond) : QStringLiteral("-");
}

QString PerSecond(const std::optional<double>& in, const std::optional<double>& out) {
    if (!in && !out) {
        return QStringLiteral("-");
    }
    return QString::number(in.value_or(0.0) + out.value_or(0.0), 'f', 1);
}

}  // namespace

TopScreen::TopScreen(const QString& host) : host_(host) {}

QStringList TopScreen::Lines(const SweepResult& sweep, const std::vector<const SweepRow*>& rows,
                             const QList<SweepEvent>& events, int width, int height) {
    events_.append(events);
    if (events_.size() > kKeptEvents) {
        events_.remove(0, events_.size() - kKeptEvents);
    }
    QStringList lines;
    QString title =
        QStringLiteral("%1  %2  sweep %3 s  %4 interfaces")
            .arg(VisibleCell(host_), IsoTime(sweep.ended),
                 QString::number(static_cast<double>(sweep.durationMs) / 1000.0, 'f', 2))
            .arg(static_cast<qsizetype>(rows.size()));
    if (sweep.silent) {
        title += QStringLiteral("  no answer");
    } else if (sweep.agentRestarted) {
        title += QStringLiteral("  agent restarted");
    }
    lines.append(title);
    lines.append(
        Cell(QStringLiteral("Index"), 7) + u' ' + Cell(QStringLiteral("Name"), kNameWidth, false) +
        u' ' + Cell(QStringLiteral("Status"), 6, false) + u' ' + Cell(QStringLiteral("Speed"), 7) +
        u' ' + Cell(QStringLiteral("In bit/s"), 9) + u' ' + Cell(QStringLiteral("Out bit/s"), 9) +
        u' ' + Cell(QStringLiteral("In%"), 6) + u' ' + Cell(QStringLiteral("Out%"), 6) + u' ' +
        Cell(QStringLiteral("Err/s"), 7) + u' ' + Cell(QStringLiteral("Disc/s"), 7) + u' ' +
        QStringLiteral("State"));
    // A screen keeps the latest events; printed lines say each once.
    const QList<SweepEvent>& footEvents = height > 0 ? events_ : events;
    QStringList foot;
    if (!footEvents.isEmpty()) {
        foot.append(QStringLiteral("Events:"));
        for (const SweepEvent& event : footEvents) {
            foot.append(SweepEventLine(event));
        }
    }
    const auto shown = static_cast<qsizetype>(rows.size());
    qsizetype room = shown;
    if (height > 0) {
        room = std::clamp<qsizetype>(height - lines.size() - foot.size() - 1, 0, shown);
    }
    for (qsizetype i = 0; i < room; ++i) {
        const SweepRow& row = *rows[static_cast<std::size_t>(i)];
        lines.append(
            Cell(QString::number(row.index), 7) + u' ' +
            Cell(VisibleCell(row.name), kNameWidth, false) + u' ' +
            Cell(InterfaceStatusText(row.operStatus), 6, false) + u' ' +
            Cell(row.speed ? ShortRate(*row.speed) : QStringLiteral("-"), 7) + u' ' +
            Cell(Rate(row.inBitsPerSecond), 9) + u' ' + Cell(Rate(row.outBitsPerSecond), 9) + u' ' +
            Cell(Percent(row.inUtilization), 6) + u' ' + Cell(Percent(row.outUtilization), 6) +
            u' ' + Cell(PerSecond(row.inErrorsPerSecond, row.outErrorsPerSecond), 7) + u' ' +
            Cell(PerSecond(row.inDiscardsPerSecond, row.outDiscardsPerSecond), 7) + u' ' +
            SweepRowStateText(row.state));
    }
    if (room < shown) {
        lines.append(QStringLiteral("... %1 more").arg(shown - room));
    }
    lines.append(foot);
    if (width > 0) {
        for (QString& line : lines) {
            line.truncate(width);
        }
    }
    return lines;
}

}  // namespace pulsewell::cli

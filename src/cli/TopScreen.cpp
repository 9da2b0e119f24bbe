#include "cli/TopScreen.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <charconv>

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

// The same for ASCII bytes, written into the blank cell at `to`; returns
// the cell's end.
char* Cell(char* to, std::string_view text, std::size_t width, bool right = true) {
    const std::size_t size = std::min(text.size(), width);
    char* at = right ? to + width - size : to;
    for (std::size_t i = 0; i < size; ++i) {  // a few characters: no call
        at[i] = text[i];
    }
    return to + width;
}

// The number's cell of `width`, or "-" without one.
template <typename Write>
char* NumberCell(char* to, bool has, std::size_t width, Write write) {
    std::array<char, kFixedTextMost> text;
    const char* end = has ? write(text.data()) : std::copy_n("-", 1, text.data());
    return Cell(to, {text.data(), static_cast<std::size_t>(end - text.data())}, width);
}

char* Rate(char* to, const std::optional<std::int64_t>& bitsPerSecond, std::size_t width) {
    return NumberCell(to, bitsPerSecond.has_value(), width,
                      [&](char* at) { return WriteShortRate(at, *bitsPerSecond); });
}

char* Percent(char* to, const std::optional<double>& value) {
    return NumberCell(to, value.has_value(), 6,
                      [&](char* at) { return WriteFixed(at, *value, 1); });
}

char* PerSecond(char* to, const std::optional<double>& in, const std::optional<double>& out) {
    return NumberCell(to, in || out, 7, [&](char* at) {
        return WriteFixed(at, in.value_or(0.0) + out.value_or(0.0), 1);
    });
}

// A name of printable ASCII as far as its cell shows it goes into its blank
// cell as it is; false for any other, which takes VisibleCell's way.
bool PlainName(char*& to, const QString& name) {
    const QStringView shown = QStringView(name).left(kNameWidth);
    char* at = to;
    for (const QChar c : shown) {
        if (c.unicode() < 0x20 || c.unicode() >= 0x7F) {
            return false;
        }
        *at++ = static_cast<char>(c.unicode());
    }
    to += kNameWidth;
    return true;
}

}  // namespace

TopScreen::TopScreen(const QString& host) : host_(host) {}

// A row's line; cut to width characters where width is not 0.
void TopScreen::AppendRow(std::string& out, const SweepRow& row, int width) {
    // The cells' widths and a name of up to four bytes a character, blank
    // to begin with: cells are written where they go, blanks between.
    std::array<char, 192> line;
    line.fill(' ');
    char* at = line.data();
    std::array<char, 24> index;
    at = Cell(at, {index.data(), std::to_chars(index.begin(), index.end(), row.index).ptr}, 7) + 1;
    const bool ascii = PlainName(at, row.name);
    if (!ascii) {
        const QByteArray name = Cell(VisibleCell(row.name), kNameWidth, false).toUtf8();
        at = std::copy(name.cbegin(), name.cend(), at);
    }
    ++at;
    std::string other;
    at = Cell(at, StatusWord(row.operStatus, other), 6, false) + 1;
    at = WriteSpeed(at, row.speed) + 1;
    at = Rate(at, row.inBitsPerSecond, 9) + 1;
    at = Rate(at, row.outBitsPerSecond, 9) + 1;
    at = Percent(at, row.inUtilization) + 1;
    at = Percent(at, row.outUtilization) + 1;
    at = PerSecond(at, row.inErrorsPerSecond, row.outErrorsPerSecond) + 1;
    at = PerSecond(at, row.inDiscardsPerSecond, row.outDiscardsPerSecond) + 1;
    const std::string_view state = StateWord(row.state);
    at = std::copy(state.begin(), state.end(), at);
    std::string_view bytes(line.data(), static_cast<std::size_t>(at - line.data()));
    if (width > 0 && ascii) {
        bytes = bytes.substr(0, static_cast<std::size_t>(width));
    } else if (width > 0) {
        const QByteArray cut = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))
                                   .left(width)
                                   .toUtf8();
        out.append(cut.constData(), static_cast<std::size_t>(cut.size()));
        return;
    }
    out += bytes;
}

char* TopScreen::WriteSpeed(char* to, const std::optional<std::int64_t>& speed) {
    if (!speed || *speed < 0) {
        return Rate(to, speed, kSpeedWidth);
    }
    auto cell = std::ranges::find(speedCells_, *speed, &SpeedCell::speed);
    if (cell == speedCells_.end()) {
        cell = speedCells_.begin() + static_cast<std::ptrdiff_t>(nextSpeedCell_);
        nextSpeedCell_ = (nextSpeedCell_ + 1) % speedCells_.size();
        cell->speed = *speed;
        cell->text.fill(' ');
        Rate(cell->text.data(), speed, kSpeedWidth);
    }
    return std::copy(cell->text.begin(), cell->text.end(), to);
}

void TopScreen::Append(std::string& out, const SweepResult& sweep,
                       const std::vector<const SweepRow*>& rows, const QList<SweepEvent>& events,
                       int width, int height, std::string_view lineEnd) {
    events_.append(events);
    if (events_.size() > kKeptEvents) {
        events_.remove(0, events_.size() - kKeptEvents);
    }
    const auto append = [&](QString line) {
        if (width > 0) {
            line.truncate(width);
        }
        out += line.toUtf8().toStdString();
        out += lineEnd;
    };
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
    append(title);
    append(Cell(QStringLiteral("Index"), 7) + u' ' +
           Cell(QStringLiteral("Name"), kNameWidth, false) + u' ' +
           Cell(QStringLiteral("Status"), 6, false) + u' ' + Cell(QStringLiteral("Speed"), 7) +
           u' ' + Cell(QStringLiteral("In bit/s"), 9) + u' ' +
           Cell(QStringLiteral("Out bit/s"), 9) + u' ' + Cell(QStringLiteral("In%"), 6) + u' ' +
           Cell(QStringLiteral("Out%"), 6) + u' ' + Cell(QStringLiteral("Err/s"), 7) + u' ' +
           Cell(QStringLiteral("Disc/s"), 7) + u' ' + QStringLiteral("State"));
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
        constexpr qsizetype kHeadLines = 2;
        room = std::clamp<qsizetype>(height - kHeadLines - foot.size() - 1, 0, shown);
    }
    for (qsizetype i = 0; i < room; ++i) {
        AppendRow(out, *rows[static_cast<std::size_t>(i)], width);
        out += lineEnd;
    }
    if (room < shown) {
        append(QStringLiteral("... %1 more").arg(shown - room));
    }
    for (const QString& line : foot) {
        append(line);
    }
}

}  // namespace pulsewell::cli

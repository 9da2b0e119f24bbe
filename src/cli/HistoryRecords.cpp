#include "cli/HistoryRecords.h"

#include <QDateTime>
#include <QStringList>
#include <cmath>

#include "cli/PollRecords.h"
#include "core/numbers/NumberText.h"
#include "core/text/RecordFields.h"

namespace pulsewell::cli {

namespace {

const QStringList kHistoryColumns = {
    QStringLiteral("time"),
    QStringLiteral("step"),
    QStringLiteral("in_bytes_per_s"),
    QStringLiteral("out_bytes_per_s"),
    QStringLiteral("in_bits_per_s"),
    QStringLiteral("out_bits_per_s"),
    QStringLiteral("in_min_bytes_per_s"),
    QStringLiteral("in_max_bytes_per_s"),
    QStringLiteral("out_min_bytes_per_s"),
    QStringLiteral("out_max_bytes_per_s"),
    QStringLiteral("in_bytes"),
    QStringLiteral("out_bytes"),
    QStringLiteral("samples"),
    QStringLiteral("note"),
    QStringLiteral("in_errors_per_s"),
    QStringLiteral("out_errors_per_s"),
    QStringLiteral("in_discards_per_s"),
    QStringLiteral("out_discards_per_s"),
};

// A number's text, or none for a gap.
std::optional<QString> Number(const std::optional<double>& value, double factor = 1.0) {
    if (!value) {
        return std::nullopt;
    }
    return RateText(*value * factor);
}

QString NoteWords(std::uint32_t notes) {
    QStringList words;
    const std::pair<std::uint32_t, const char*> kinds[] = {
        {history::InSubstituted, "in-no-value"}, {history::OutSubstituted, "out-no-value"},
        {history::InWrapped, "in-wrap"},         {history::OutWrapped, "out-wrap"},
        {history::InReset, "in-reset"},          {history::OutReset, "out-reset"},
        {history::NotMeasured, "first"},
    };
    for (const auto& [bit, word] : kinds) {
        if (notes & bit) {
            words.append(QString::fromLatin1(word));
        }
    }
    return words.join(u' ');
}

}  // namespace

QString UtcTime(std::int64_t ms) {
    return IsoTime(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
}

QString RateText(double bytesPerSecond) {
    const double whole = std::round(bytesPerSecond);
    if (std::abs(bytesPerSecond - whole) < 0.005) {
        return IntegerText(static_cast<std::int64_t>(whole));
    }
    return QString::number(bytesPerSecond, 'f', 2);
}

HistoryRecords::HistoryRecords(OutputFormat format, history::Step step)
    : format_(format), step_(step) {}

std::optional<QString> HistoryRecords::Header() const {
    if (format_ != OutputFormat::Csv) {
        return std::nullopt;
    }
    return kHistoryColumns.join(u',');
}

QString HistoryRecords::Line(const history::Point& p) const {
    const bool gap = !p.inRate && !p.outRate;
    if (format_ == OutputFormat::Text) {
        if (gap) {
            return UtcTime(p.timeMs) + QStringLiteral("; gap");
        }
        const auto bits = [](const std::optional<double>& rate) {
            return rate ? RateText(*rate * 8) : QStringLiteral("no value");
        };
        QString line =
            QStringLiteral("%1; IN bits/s: %2; OUT bits/s: %3; IN bytes: %4; OUT bytes: %5")
                .arg(UtcTime(p.timeMs), bits(p.inRate), bits(p.outRate), IntegerText(p.inBytes),
                     IntegerText(p.outBytes));
        // Both directions together, as the sweeps that measure them show them.
        const auto both = [](const std::optional<double>& in, const std::optional<double>& out) {
            return RateText(in.value_or(0.0) + out.value_or(0.0));
        };
        if (p.inErrors || p.outErrors || p.inDiscards || p.outDiscards) {
            line += QStringLiteral("; errors/s: %1; discards/s: %2")
                        .arg(both(p.inErrors, p.outErrors), both(p.inDiscards, p.outDiscards));
        }
        return line;
    }
    const std::optional<QString> counted = gap ? std::nullopt : std::optional<QString>(QString());
    const QList<std::pair<std::optional<QString>, bool>> values = {
        {UtcTime(p.timeMs), true},
        {QString::fromLatin1(history::StepName(step_)), true},
        {Number(p.inRate), false},
        {Number(p.outRate), false},
        {Number(p.inRate, 8), false},
        {Number(p.outRate, 8), false},
        {Number(p.inMin), false},
        {Number(p.inMax), false},
        {Number(p.outMin), false},
        {Number(p.outMax), false},
        {counted ? std::optional(IntegerText(p.inBytes)) : std::nullopt, false},
        {counted ? std::optional(IntegerText(p.outBytes)) : std::nullopt, false},
        {IntegerText(p.samples), false},
        {NoteWords(p.notes), true},
        {Number(p.inErrors), false},
        {Number(p.outErrors), false},
        {Number(p.inDiscards), false},
        {Number(p.outDiscards), false},
    };
    QStringList fields;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const auto& [value, text] = values[i];
        if (format_ == OutputFormat::Csv) {
            fields.append(!value ? QString() : text ? CsvTextField(*value) : *value);
        } else {
            fields.append(JsonString(kHistoryColumns[i]) + u':' +
                          (!value ? QStringLiteral("null")
                           : text ? JsonString(*value)
                                  : *value));
        }
    }
    return format_ == OutputFormat::Csv ? fields.join(u',') : u'{' + fields.join(u',') + u'}';
}

}  // namespace pulsewell::cli

#include "TopRecords.h"

#include <QStringList>
#include <array>
#include <charconv>

#include "NumberText.h"
#include "PollRecords.h"
#include "RecordFields.h"
#include "VisibleText.h"

namespace pulsewell::cli {

namespace {

const QStringList kTopColumns = {
    QStringLiteral("type"),
    QStringLiteral("time"),
    QStringLiteral("host"),
    QStringLiteral("interface"),
    QStringLiteral("name"),
    QStringLiteral("alias"),
    QStringLiteral("status"),
    QStringLiteral("admin_status"),
    QStringLiteral("interval_s"),
    QStringLiteral("bandwidth_bits_per_s"),
    QStringLiteral("in_bytes"),
    QStringLiteral("out_bytes"),
    QStringLiteral("in_bytes_per_s"),
    QStringLiteral("out_bytes_per_s"),
    QStringLiteral("in_bits_per_s"),
    QStringLiteral("out_bits_per_s"),
    QStringLiteral("utilization_percent"),
    QStringLiteral("in_utilization_percent"),
    QStringLiteral("out_utilization_percent"),
    QStringLiteral("in_errors_per_s"),
    QStringLiteral("out_errors_per_s"),
    QStringLiteral("in_discards_per_s"),
    QStringLiteral("out_discards_per_s"),
    QStringLiteral("state"),
    QStringLiteral("note"),
};

// A field: text, or a number, or none. Words of the program's own need no
// escapes, only JSON's quotes.
struct TopField {
    enum Kind { Text, Word, Number };
    std::optional<QString> text;
    Kind kind = Number;
};

TopField TopText(const QString& text) {
    return {text, TopField::Text};
}
TopField TopWord(const QString& word) {
    return {word, TopField::Word};
}
TopField TopNumber(const std::optional<std::int64_t>& number) {
    return {number ? std::optional(IntegerText(*number)) : std::nullopt};
}
// Two decimals, as QString::number(value, 'f', 2) writes them, without its
// locale machinery: a sweep writes thousands.
TopField TopDecimal(const std::optional<double>& number) {
    if (!number) {
        return {};
    }
    std::array<char, 64> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), *number, std::chars_format::fixed, 2);
    return {QString::fromLatin1(text.data(), end.ptr - text.data())};
}

}  // namespace

TopRecords::TopRecords(OutputFormat format, const QString& host, int intervalSeconds)
    : format_(format), host_(host), interval_(intervalSeconds) {}

const QString& TopRecords::TimeOf(const QDateTime& time) const {
    if (time != time_ || timeText_.isEmpty()) {
        time_ = time;
        timeText_ = IsoTime(time);
    }
    return timeText_;
}

std::optional<QString> TopRecords::Header() const {
    if (format_ != OutputFormat::Csv) {
        return std::nullopt;
    }
    return kTopColumns.join(u',');
}

QString TopRecords::Row(const SweepResult& sweep, const SweepRow& row) const {
    std::optional<double> both;
    if (row.speed && *row.speed > 0 && row.inBitsPerSecond && row.outBitsPerSecond) {
        both = static_cast<double>(*row.inBitsPerSecond + *row.outBitsPerSecond) * 100.0 /
               static_cast<double>(*row.speed);
    }
    QStringList notes;
    if (row.inWrapped) {
        notes.append(QStringLiteral("in-wrap"));
    }
    if (row.outWrapped) {
        notes.append(QStringLiteral("out-wrap"));
    }
    if (sweep.agentRestarted) {
        notes.append(QStringLiteral("agent-restart"));
    }
    const TopField fields[] = {
        TopWord(QStringLiteral("interface")),
        TopWord(TimeOf(sweep.ended)),
        TopText(host_),
        TopNumber(row.index),
        TopText(VisibleCell(row.name)),
        TopText(VisibleCell(row.alias)),
        TopWord(InterfaceStatusText(row.operStatus)),
        TopWord(InterfaceStatusText(row.adminStatus)),
        TopNumber(interval_),
        TopNumber(row.speed),
        TopNumber(row.inOctets),
        TopNumber(row.outOctets),
        TopNumber(row.inBytesPerSecond),
        TopNumber(row.outBytesPerSecond),
        TopNumber(row.inBitsPerSecond),
        TopNumber(row.outBitsPerSecond),
        TopDecimal(both),
        TopDecimal(row.inUtilization),
        TopDecimal(row.outUtilization),
        TopDecimal(row.inErrorsPerSecond),
        TopDecimal(row.outErrorsPerSecond),
        TopDecimal(row.inDiscardsPerSecond),
        TopDecimal(row.outDiscardsPerSecond),
        TopWord(SweepRowStateText(row.state)),
        TopWord(notes.join(u' ')),
    };
    // JSON keys with their quotes and colon, made once.
    static const QStringList kKeys = [] {
        QStringList keys;
        for (const QString& column : kTopColumns) {
            keys.append(JsonString(column) + u':');
        }
        return keys;
    }();
    const bool csv = format_ == OutputFormat::Csv;
    QString line;
    line.reserve(320);
    line += csv ? QString() : QStringLiteral("{");
    for (qsizetype i = 0; i < kTopColumns.size(); ++i) {
        const TopField& f = fields[i];
        if (i > 0) {
            line += u',';
        }
        if (!csv) {
            line += kKeys[i];
        }
        if (!f.text) {
            line += csv ? QString() : QStringLiteral("null");
        } else if (f.kind == TopField::Text) {
            line += csv ? CsvTextField(*f.text) : JsonString(*f.text);
        } else if (f.kind == TopField::Word && !csv) {
            line += u'"' + *f.text + u'"';
        } else {
            line += *f.text;
        }
    }
    if (!csv) {
        line += u'}';
    }
    return line;
}

QString SweepEventLine(const SweepEvent& event) {
    QString line =
        QStringLiteral("%1 %2: %3 (ifIndex %4)")
            .arg(IsoTime(event.time), SweepEventKindText(event.kind), VisibleCell(event.name))
            .arg(event.index);
    if (event.kind == SweepEvent::HighUtilization) {
        line += QStringLiteral(" at %1 %").arg(QString::number(event.utilization, 'f', 2));
    }
    return line;
}

}  // namespace pulsewell::cli

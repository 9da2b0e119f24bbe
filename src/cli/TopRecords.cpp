#include "TopRecords.h"

#include <QStringList>

#include "NumberText.h"
#include "PollRecords.h"
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

// A field: text, or a number, or none.
struct TopField {
    std::optional<QString> text;
    bool quoted = false;
};

TopField TopText(const QString& text) {
    return {text, true};
}
TopField TopNumber(const std::optional<std::int64_t>& number) {
    return {number ? std::optional(IntegerText(*number)) : std::nullopt, false};
}
TopField TopDecimal(const std::optional<double>& number) {
    return {number ? std::optional(QString::number(*number, 'f', 2)) : std::nullopt, false};
}

}  // namespace

TopRecords::TopRecords(OutputFormat format, const QString& host, int intervalSeconds)
    : format_(format), host_(host), interval_(intervalSeconds) {}

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
        TopText(QStringLiteral("interface")),
        TopText(IsoTime(sweep.ended)),
        TopText(host_),
        TopNumber(row.index),
        TopText(VisibleCell(row.name)),
        TopText(VisibleCell(row.alias)),
        TopText(InterfaceStatusText(row.operStatus)),
        TopText(InterfaceStatusText(row.adminStatus)),
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
        TopText(SweepRowStateText(row.state)),
        TopText(notes.join(u' ')),
    };
    QStringList out;
    out.reserve(kTopColumns.size());
    for (qsizetype i = 0; i < kTopColumns.size(); ++i) {
        const TopField& f = fields[i];
        if (format_ == OutputFormat::Csv) {
            out.append(!f.text ? QString() : f.quoted ? CsvField(*f.text) : *f.text);
        } else {
            out.append(JsonString(kTopColumns[i]) + u':' +
                       (!f.text ? QStringLiteral("null") : f.quoted ? JsonString(*f.text) : *f.text));
        }
    }
    return format_ == OutputFormat::Csv ? out.join(u',') : u'{' + out.join(u',') + u'}';
}

QString SweepEventLine(const SweepEvent& event) {
    QString line = QStringLiteral("%1 %2: %3 (ifIndex %4)")
                       .arg(IsoTime(event.time), SweepEventKindText(event.kind),
                            VisibleCell(event.name))
                       .arg(event.index);
    if (event.kind == SweepEvent::HighUtilization) {
        line += QStringLiteral(" at %1 %").arg(QString::number(event.utilization, 'f', 2));
    }
    return line;
}

}  // namespace pulsewell::cli

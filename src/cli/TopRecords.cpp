#include "cli/TopRecords.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string>

#include "cli/PollRecords.h"
#include "core/numbers/NumberText.h"
#include "core/text/RecordFields.h"
#include "core/text/VisibleText.h"

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

// JSON keys with their quotes and colon, made once.
const QStringList& JsonKeys() {
    static const QStringList kKeys = [] {
        QStringList keys;
        for (const QString& column : kTopColumns) {
            keys.append(JsonString(column) + u':');
        }
        return keys;
    }();
    return kKeys;
}

// A record's line, field by field, in UTF-8 bytes made a text once: a sweep
// writes thousands, so numbers and separators go straight in.
class RecordLine {
  public:
    explicit RecordLine(bool csv) : csv_(csv) { line_.reserve(320); }

    void None() {
        Next();
        if (!csv_) {
            line_ += "null";
        }
    }
    // Device text and the like, escaped.
    void Text(const QString& text) {
        Next();
        Append(csv_ ? CsvTextField(text) : JsonString(text));
    }
    // A word of the program's own: no escapes, only JSON's quotes.
    void Word(QStringView word) {
        Next();
        if (!csv_) {
            line_ += '"';
        }
        Append(word);
        if (!csv_) {
            line_ += '"';
        }
    }
    void Number(const std::optional<std::int64_t>& number) {
        if (!number) {
            return None();
        }
        Next();
        std::array<char, 24> text{};
        line_.append(text.data(),
                     std::to_chars(text.data(), text.data() + text.size(), *number).ptr);
    }
    // Two decimals, as QString::number(value, 'f', 2) writes them, without
    // its locale machinery.
    void Decimal(const std::optional<double>& number) {
        if (!number) {
            return None();
        }
        Next();
        std::array<char, 64> text{};
        line_.append(text.data(), std::to_chars(text.data(), text.data() + text.size(), *number,
                                                std::chars_format::fixed, 2)
                                      .ptr);
    }
    QString Take() {
        if (!csv_) {
            line_ += '}';
        }
        return QString::fromUtf8(line_.data(), static_cast<qsizetype>(line_.size()));
    }

  private:
    void Next() {
        if (column_ > 0) {
            line_ += ',';
        } else if (!csv_) {
            line_ += '{';
        }
        if (!csv_) {
            Append(JsonKeys()[column_]);
        }
        ++column_;
    }
    void Append(QStringView text) {
        if (std::ranges::all_of(text, [](QChar c) { return c.unicode() < 0x80; })) {
            for (const QChar c : text) {
                line_ += static_cast<char>(c.unicode());
            }
            return;
        }
        const QByteArray utf8 = text.toUtf8();
        line_.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }

    bool csv_;
    std::string line_;
    qsizetype column_ = 0;
};

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
    RecordLine line(format_ == OutputFormat::Csv);
    line.Word(u"interface");
    line.Word(TimeOf(sweep.ended));
    line.Text(host_);
    line.Number(row.index);
    line.Text(VisibleCell(row.name));
    line.Text(VisibleCell(row.alias));
    line.Word(InterfaceStatusText(row.operStatus));
    line.Word(InterfaceStatusText(row.adminStatus));
    line.Number(interval_);
    line.Number(row.speed);
    line.Number(row.inOctets);
    line.Number(row.outOctets);
    line.Number(row.inBytesPerSecond);
    line.Number(row.outBytesPerSecond);
    line.Number(row.inBitsPerSecond);
    line.Number(row.outBitsPerSecond);
    line.Decimal(both);
    line.Decimal(row.inUtilization);
    line.Decimal(row.outUtilization);
    line.Decimal(row.inErrorsPerSecond);
    line.Decimal(row.outErrorsPerSecond);
    line.Decimal(row.inDiscardsPerSecond);
    line.Decimal(row.outDiscardsPerSecond);
    line.Word(SweepRowStateText(row.state));
    line.Word(notes.join(u' '));
    return line.Take();
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

#include "cli/TopRecords.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <vector>

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

std::string Utf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// JSON keys with their quotes and colon, made once.
const std::vector<std::string>& JsonKeys() {
    static const std::vector<std::string> kKeys = [] {
        std::vector<std::string> keys;
        for (const QString& column : kTopColumns) {
            keys.push_back(Utf8(JsonString(column) + u':'));
        }
        return keys;
    }();
    return kKeys;
}

// The status words of IF-MIB's usual numbers, made once.
std::string StatusWord(int status) {
    static const std::array<std::string, 8> kWords = [] {
        std::array<std::string, 8> words;
        for (std::size_t i = 0; i < words.size(); ++i) {
            words[i] = Utf8(InterfaceStatusText(static_cast<int>(i)));
        }
        return words;
    }();
    return status >= 0 && status < static_cast<int>(kWords.size())
               ? kWords[static_cast<std::size_t>(status)]
               : Utf8(InterfaceStatusText(status));
}

const std::string& StateWord(SweepRowState state) {
    static const std::array<std::string, 6> kWords = [] {
        std::array<std::string, 6> words;
        for (std::size_t i = 0; i < words.size(); ++i) {
            words[i] = Utf8(SweepRowStateText(static_cast<SweepRowState>(i)));
        }
        return words;
    }();
    return kWords[static_cast<std::size_t>(state)];
}

// Device text that needs no escape in the field: printable ASCII without a
// separator or quote, not taken for a formula. Most names are, and go
// straight in; false (and out as it was) at the first character that is not.
bool AppendPlain(std::string& out, QStringView text, bool csv) {
    if (csv && !text.isEmpty() && QStringView(u"=+-@").contains(text.front())) {
        return false;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(text.size()));
    char* to = out.data() + start;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u >= 0x7F || u == u'"' || u == (csv ? u',' : u'\\')) {
            out.resize(start);
            return false;
        }
        *to++ = static_cast<char>(u);
    }
    return true;
}

// A record's line, field by field, in UTF-8 bytes.
class RecordLine {
  public:
    RecordLine(std::string& out, bool csv) : out_(out), csv_(csv) {}

    void None() {
        Next();
        if (!csv_) {
            out_ += "null";
        }
    }
    // A field escaped already.
    void Field(std::string_view field) {
        Next();
        out_ += field;
    }
    // Device text, its control characters shown and the field escaped.
    void Text(const QString& text) {
        Next();
        const std::size_t start = out_.size();
        if (!csv_) {
            out_ += '"';
        }
        if (AppendPlain(out_, text, csv_)) {
            if (!csv_) {
                out_ += '"';
            }
            return;
        }
        out_.resize(start);
        const QString visible = VisibleCell(text);
        out_ += Utf8(csv_ ? CsvTextField(visible) : JsonString(visible));
    }
    // A word of the program's own: no escapes, only JSON's quotes.
    void Word(std::string_view word) {
        Next();
        if (!csv_) {
            out_ += '"';
        }
        out_ += word;
        if (!csv_) {
            out_ += '"';
        }
    }
    void Number(const std::optional<std::int64_t>& number) {
        if (!number) {
            return None();
        }
        Next();
        std::array<char, 24> text{};
        out_.append(text.data(),
                    std::to_chars(text.data(), text.data() + text.size(), *number).ptr);
    }
    void Decimal(const std::optional<double>& number) {
        if (!number) {
            return None();
        }
        Next();
        AppendTwoDecimals(out_, *number);
    }
    void End() { out_ += csv_ ? "\n" : "}\n"; }

  private:
    void Next() {
        if (column_ > 0) {
            out_ += ',';
        } else if (!csv_) {
            out_ += '{';
        }
        if (!csv_) {
            out_ += JsonKeys()[column_];
        }
        ++column_;
    }

    std::string& out_;
    bool csv_;
    std::size_t column_ = 0;
};

}  // namespace

TopRecords::TopRecords(OutputFormat format, const QString& host, int intervalSeconds)
    : csv_(format == OutputFormat::Csv),
      host_(Utf8(csv_ ? CsvTextField(host) : JsonString(host))),
      interval_(intervalSeconds) {}

const std::string& TopRecords::TimeOf(const QDateTime& time) {
    if (time != time_ || timeText_.empty()) {
        time_ = time;
        timeText_ = Utf8(IsoTime(time));
    }
    return timeText_;
}

std::optional<QString> TopRecords::Header() const {
    if (!csv_) {
        return std::nullopt;
    }
    return kTopColumns.join(u',');
}

void TopRecords::Append(std::string& out, const SweepResult& sweep, const SweepRow& row) {
    std::optional<double> both;
    if (row.speed && *row.speed > 0 && row.inBitsPerSecond && row.outBitsPerSecond) {
        both = static_cast<double>(*row.inBitsPerSecond + *row.outBitsPerSecond) * 100.0 /
               static_cast<double>(*row.speed);
    }
    std::string notes;
    for (const auto& [noted, note] :
         {std::pair{row.inWrapped, "in-wrap"}, std::pair{row.outWrapped, "out-wrap"},
          std::pair{sweep.agentRestarted, "agent-restart"}}) {
        if (noted) {
            notes += notes.empty() ? note : std::string(" ") + note;
        }
    }
    RecordLine line(out, csv_);
    line.Word("interface");
    line.Word(TimeOf(sweep.ended));
    line.Field(host_);
    line.Number(row.index);
    line.Text(row.name);
    line.Text(row.alias);
    line.Word(StatusWord(row.operStatus));
    line.Word(StatusWord(row.adminStatus));
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
    line.Word(StateWord(row.state));
    line.Word(notes);
    line.End();
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

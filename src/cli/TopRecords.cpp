#include "cli/TopRecords.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
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

// A JSON key with its quotes and colon, in a slot copied whole: a fixed
// size copies without a call.
struct JsonKey {
    static constexpr std::size_t kSlot = 32;
    std::array<char, kSlot> bytes{};
    std::size_t size = 0;
};

// Every column's key, made once.
const std::vector<JsonKey>& JsonKeys() {
    static const std::vector<JsonKey> kKeys = [] {
        std::vector<JsonKey> keys;
        for (const QString& column : kTopColumns) {
            const std::string key = Utf8(JsonString(column) + u':');
            JsonKey& slot = keys.emplace_back();
            Q_ASSERT(key.size() <= JsonKey::kSlot);
            slot.size = std::min(key.size(), JsonKey::kSlot);
            std::copy_n(key.begin(), slot.size, slot.bytes.begin());
        }
        return keys;
    }();
    return kKeys;
}

// Device text that needs no escape in the field: printable ASCII without a
// separator or quote, not taken for a formula. Most names are, and are
// written at `to` as they are; false at the first character that is not.
bool WritePlain(char*& to, QStringView text, bool csv) {
    if (csv && !text.isEmpty()) {
        switch (text.front().unicode()) {
            case u'=':
            case u'+':
            case u'-':
            case u'@':
                return false;
        }
    }
    char* at = to;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u >= 0x7F || u == u'"' || u == (csv ? u',' : u'\\')) {
            return false;
        }
        *at++ = static_cast<char>(u);
    }
    to = at;
    return true;
}

// A record's line, CSV or JSON, field by field, in UTF-8 bytes, gathered and appended to
// out as a whole. Whatever writes a text leaves room for a record's other
// fields, so that they go in unchecked.
template <bool kCsv>
class RecordLine {
  public:
    // column: the record's field that comes first, for a part of a record.
    explicit RecordLine(std::string& out, std::size_t column = 0)
        : out_(out), keys_(kCsv ? nullptr : &JsonKeys()), column_(column) {}

    void None() {
        Next();
        if constexpr (!kCsv) {
            Put("null");
        }
    }
    // A field escaped already.
    void Field(std::string_view field) {
        Next();
        Put(field);
    }
    // Device text, its control characters shown and the field escaped.
    void Text(const QString& text) {
        Next();
        if (text.size() <= kPlainMost) {
            Room(static_cast<std::size_t>(text.size()) + 2 + kFields * kFieldMost);
            char* to = at_;
            if constexpr (!kCsv) {
                *to++ = '"';
            }
            if (WritePlain(to, text, kCsv)) {
                if constexpr (!kCsv) {
                    *to++ = '"';
                }
                at_ = to;
                return;
            }
        }
        const QString visible = VisibleCell(text);
        Put(Utf8(kCsv ? CsvTextField(visible) : JsonString(visible)));
    }
    // A short word of the program's own: no escapes, only JSON's quotes.
    void Word(std::string_view word) {
        Next();
        if constexpr (!kCsv) {
            *at_++ = '"';
        }
        at_ = std::copy(word.begin(), word.end(), at_);
        if constexpr (!kCsv) {
            *at_++ = '"';
        }
    }
    void Number(const std::optional<std::int64_t>& number) {
        if (!number) {
            return None();
        }
        Next();
        if (*number == 0) {
            *at_++ = '0';  // most counts between two sweeps of a quiet port
            return;
        }
        at_ = std::to_chars(at_, at_ + kNumberMost, *number).ptr;
    }
    void Decimal(const std::optional<double>& number) {
        if (!number) {
            return None();
        }
        Next();
        at_ = WriteTwoDecimals(at_, *number);
    }
    // Fields written by another line of the same format.
    void Fields(std::string_view bytes, std::size_t fields) {
        Put(bytes);
        column_ += fields;
    }
    void End() {
        Put(kCsv ? "\n" : "}\n");
        Flush();
    }
    // Appends what was gathered to out.
    void Flush() {
        out_.append(buffer_.data(), static_cast<std::size_t>(at_ - buffer_.data()));
        at_ = buffer_.data();
    }

  private:
    // Longer device texts go the way of those with escapes.
    static constexpr qsizetype kPlainMost = 1024;
    static constexpr std::size_t kNumberMost = 24;
    static constexpr std::size_t kKeyMost = JsonKey::kSlot;
    // A field's separator, key and value, but a text's.
    static constexpr std::size_t kFieldMost = kKeyMost + 2 + kTwoDecimalsMost;
    static constexpr std::size_t kFields = 25;

    void Next() {
        if (column_ > 0) {
            *at_++ = ',';
        } else if constexpr (!kCsv) {
            *at_++ = '{';
        }
        if constexpr (!kCsv) {
            const JsonKey& key = (*keys_)[column_];
            std::memcpy(at_, key.bytes.data(), JsonKey::kSlot);
            at_ += key.size;
        }
        ++column_;
    }
    // Room for n more bytes.
    void Room(std::size_t n) {
        if (static_cast<std::size_t>(buffer_.data() + buffer_.size() - at_) < n) {
            Flush();
        }
    }
    void Put(std::string_view bytes) {
        if (bytes.size() > kPlainMost) {
            Flush();
            out_ += bytes;
            return;
        }
        Room(bytes.size() + kFields * kFieldMost);
        at_ = std::copy(bytes.begin(), bytes.end(), at_);
    }

    std::string& out_;
    const std::vector<JsonKey>* keys_;
    std::size_t column_;
    // Room for a record's fields and a text besides.
    std::array<char, kFields * kFieldMost + kPlainMost + 2> buffer_;
    char* at_ = buffer_.data();
};

// The fields a record begins with: its type, the sweep's time and the host.
constexpr std::size_t kSweepFields = 3;
// Then the interface's from its index to its speed, which mostly stay from
// sweep to sweep.
constexpr std::size_t kRowHeadFields = 7;

template <bool kCsv>
std::string SweepFields(std::string_view time, std::string_view host) {
    std::string fields;
    RecordLine<kCsv> line(fields);
    line.Word("interface");
    line.Word(time);
    line.Field(host);
    line.Flush();
    return fields;
}

template <bool kCsv>
void WriteRowHead(std::string& to, const SweepRow& row, int interval) {
    RecordLine<kCsv> line(to, kSweepFields);
    line.Number(row.index);
    line.Text(row.name);
    line.Text(row.alias);
    std::string other;
    line.Word(StatusWord(row.operStatus, other));
    line.Word(StatusWord(row.adminStatus, other));
    line.Number(interval);
    line.Number(row.speed);
    line.Flush();
}

}  // namespace

bool TopRecords::RowHead::Holds(const SweepRow& row) const {
    return index == row.index && operStatus == row.operStatus && adminStatus == row.adminStatus &&
           speed == row.speed && name == row.name && alias == row.alias;
}

TopRecords::TopRecords(OutputFormat format, const QString& host, int intervalSeconds)
    : csv_(format == OutputFormat::Csv),
      host_(Utf8(csv_ ? CsvTextField(host) : JsonString(host))),
      interval_(intervalSeconds) {}

void TopRecords::Begin(const SweepResult& sweep) {
    const std::string time = Utf8(IsoTime(sweep.ended));
    sweepFields_ = csv_ ? SweepFields<true>(time, host_) : SweepFields<false>(time, host_);
    agentRestarted_ = sweep.agentRestarted;
    nextHead_ = 0;
}

std::optional<QString> TopRecords::Header() const {
    if (!csv_) {
        return std::nullopt;
    }
    return kTopColumns.join(u',');
}

void TopRecords::Append(std::string& out, const SweepRow& row) {
    if (csv_) {
        Write<true>(out, row);
    } else {
        Write<false>(out, row);
    }
}

template <bool kCsv>
void TopRecords::Write(std::string& out, const SweepRow& row) {
    std::optional<double> both;
    if (row.speed && *row.speed > 0 && row.inBitsPerSecond && row.outBitsPerSecond) {
        both = static_cast<double>(*row.inBitsPerSecond + *row.outBitsPerSecond) * 100.0 /
               static_cast<double>(*row.speed);
    }
    std::array<char, 32> notes{};
    char* notesEnd = notes.data();
    for (const auto& [noted, note] :
         {std::pair{row.inWrapped, std::string_view("in-wrap")},
          std::pair{row.outWrapped, std::string_view("out-wrap")},
          std::pair{agentRestarted_, std::string_view("agent-restart")}}) {
        if (noted) {
            if (notesEnd != notes.data()) {
                *notesEnd++ = ' ';
            }
            notesEnd = std::copy(note.begin(), note.end(), notesEnd);
        }
    }
    // The rows come in much the same order sweep after sweep: each place
    // keeps the head of the row it wrote last.
    if (nextHead_ == heads_.size()) {
        heads_.emplace_back();
    }
    RowHead& head = heads_[nextHead_++];
    if (!head.Holds(row)) {
        head = {row.index, row.name, row.alias, row.operStatus, row.adminStatus, row.speed, {}};
        WriteRowHead<kCsv>(head.fields, row, interval_);
    }
    RecordLine<kCsv> line(out);
    line.Fields(sweepFields_, kSweepFields);
    line.Fields(head.fields, kRowHeadFields);
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
    line.Word({notes.data(), notesEnd});
    line.End();
}

namespace {

std::array<std::string, 8> MakeStatusWords() {
    std::array<std::string, 8> words;
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = Utf8(InterfaceStatusText(static_cast<int>(i)));
    }
    return words;
}

std::array<std::string, 6> MakeStateWords() {
    std::array<std::string, 6> words;
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = Utf8(SweepRowStateText(static_cast<SweepRowState>(i)));
    }
    return words;
}

// Made at the start rather than at the first call: a row asks for both
// words, and a function's own table would check that it was made each time.
const std::array<std::string, 8> kStatusWords = MakeStatusWords();
const std::array<std::string, 6> kStateWords = MakeStateWords();

}  // namespace

std::string_view StatusWord(int status, std::string& other) {
    if (status >= 0 && status < static_cast<int>(kStatusWords.size())) {
        return kStatusWords[static_cast<std::size_t>(status)];
    }
    other = Utf8(InterfaceStatusText(status));
    return other;
}

std::string_view StateWord(SweepRowState state) {
    return kStateWords[static_cast<std::size_t>(state)];
}

QString SweepEventLine(const SweepEvent& event) {
    return IsoTime(event.time) + u' ' + SweepEventText(event, VisibleCell(event.name));
}

}  // namespace pulsewell::cli

#include "cli/PollRecords.h"

#include <QStringList>

#include "core/numbers/NumberText.h"
#include "core/text/RecordFields.h"

namespace pulsewell::cli {

namespace {

const QStringList kColumns = {
    QStringLiteral("type"),
    QStringLiteral("time"),
    QStringLiteral("host"),
    QStringLiteral("interface"),
    QStringLiteral("interval_s"),
    QStringLiteral("bandwidth_bits_per_s"),
    QStringLiteral("in_bytes"),
    QStringLiteral("out_bytes"),
    QStringLiteral("in_bytes_per_s"),
    QStringLiteral("out_bytes_per_s"),
    QStringLiteral("in_bits_per_s"),
    QStringLiteral("out_bits_per_s"),
    QStringLiteral("utilization_percent"),
    QStringLiteral("note"),
};

// What the traffic line's messages said of this poll, one word each.
QString Notes(const PollMeasurement& m) {
    QStringList notes;
    const std::pair<bool, const char*> kinds[] = {
        {m.inSubstituted, "in-no-value"},  {m.outSubstituted, "out-no-value"},
        {m.sample.inWrapped, "in-wrap"},   {m.sample.outWrapped, "out-wrap"},
        {m.sample.inReset, "in-reset"},    {m.sample.outReset, "out-reset"},
        {m.sample.inNoRate, "in-no-rate"}, {m.sample.outNoRate, "out-no-rate"},
    };
    for (const auto& [happened, word] : kinds) {
        if (happened) {
            notes.append(QString::fromLatin1(word));
        }
    }
    return notes.join(u' ');
}

}  // namespace

struct PollRecords::Value {
    enum Kind { Number, Text, Missing };
    Kind kind;
    QString text;

    static Value Of(std::int64_t number) { return {Number, IntegerText(number)}; }
    static Value Of(const QString& text) { return {Text, text}; }
};

PollRecords::PollRecords(OutputFormat format, const QString& host, const QString& interface)
    : format_(format), host_(host), interface_(interface) {}

std::optional<QString> PollRecords::Header() const {
    if (format_ != OutputFormat::Csv) {
        return std::nullopt;
    }
    return kColumns.join(u',');
}

QString PollRecords::Poll(const PollMeasurement& m, int intervalSeconds,
                          std::int64_t bandwidth) const {
    const TTrafficSample& s = m.sample;
    return Record({
        Value::Of(QStringLiteral("poll")),
        Value::Of(IsoTime(m.time)),
        Value::Of(host_),
        Value::Of(interface_),
        Value::Of(intervalSeconds),
        Value::Of(bandwidth),
        Value::Of(s.inbyte),
        Value::Of(s.outbyte),
        Value::Of(s.inbytepers),
        Value::Of(s.outbytepers),
        Value::Of(s.inbitpers),
        Value::Of(s.outbitpers),
        Value{Value::Number, PercentField(s.utilbit)},
        Value::Of(Notes(m)),
    });
}

QString PollRecords::Totals(const QDateTime& time, int intervalSeconds, std::int64_t in,
                            std::int64_t out) const {
    const Value none{Value::Missing, QString()};
    return Record({
        Value::Of(QStringLiteral("totals")),
        Value::Of(IsoTime(time)),
        Value::Of(host_),
        Value::Of(interface_),
        Value::Of(intervalSeconds),
        none,
        Value::Of(in),
        Value::Of(out),
        none,
        none,
        none,
        none,
        none,
        Value::Of(QString()),
    });
}

QString PollRecords::Record(const QList<Value>& values) const {
    QStringList fields;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const Value& v = values[i];
        if (format_ == OutputFormat::Csv) {
            fields.append(v.kind == Value::Text ? CsvTextField(v.text) : v.text);
            continue;
        }
        const QString json = v.kind == Value::Text      ? JsonString(v.text)
                             : v.kind == Value::Missing ? QStringLiteral("null")
                                                        : v.text;
        fields.append(JsonString(kColumns[i]) + u':' + json);
    }
    return format_ == OutputFormat::Csv ? fields.join(u',') : u'{' + fields.join(u',') + u'}';
}

QString JsonString(const QString& text) {
    QString json = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\') {
            json += u'\\';
            json += c;
        } else if (c.unicode() < 0x20) {
            json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            json += c;
        }
    }
    return json + u'"';
}

}  // namespace pulsewell::cli

#include "core/discovery/InterfaceCells.h"

#include <QStringDecoder>
#include <limits>

#include "core/numbers/NumberText.h"

namespace pulsewell {

namespace {

constexpr std::int64_t k2To32 = 4294967296;

std::int64_t Unsigned32(std::int64_t value) {
    return value < 0 ? value + k2To32 : value;
}

bool IsBlankOrControl(QChar c) {
    return c.unicode() <= u' ';
}

QString GroupedSpeed(std::int64_t bits, const QLocale& locale) {
    QLocale grouped = locale;  // grouped even where the locale's numbers usually are not
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    return GroupedIntegerText(bits, 15, grouped);
}

}  // namespace

QString TrimmedText(const QString& value) {
    qsizetype first = 0;
    qsizetype last = value.size();
    while (first < last && IsBlankOrControl(value[first])) {
        ++first;
    }
    while (last > first && IsBlankOrControl(value[last - 1])) {
        --last;
    }
    return value.mid(first, last - first);
}

QString DeviceText(const QString& bytes) {
    const QByteArray raw = bytes.toLatin1();
    QStringDecoder decoder(QStringDecoder::System);
    QString text = decoder.decode(raw);
    return decoder.hasError() ? bytes : text;
}

QString DescriptionCell(const QString& value) {
    return TrimmedText(DeviceText(value));
}

QString SpeedCell(const QString& value, const QLocale& locale) {
    return GroupedSpeed(Unsigned32(ParseInt64(value)), locale);
}

bool IsSpeedCeiling(const QString& value) {
    return value == QStringLiteral("-1") || value == QStringLiteral("4294967295");
}

QString HighSpeedCell(const QString& value, const QLocale& locale) {
    return GroupedSpeed(Unsigned32(ParseInt64(value)) * 1000000, locale);
}

QString DuplexCell(const QString& value) {
    switch (ParseInt32(value)) {
        case 1:
            return QStringLiteral("unknown");
        case 2:
            return QStringLiteral("half");
        case 3:
            return QStringLiteral("full");
        default:
            return QString();
    }
}

QString MacCell(const QString& value) {
    if (value.isEmpty()) {
        return QStringLiteral("No MAC available");
    }
    QString text;
    for (QChar byte : value) {
        // Octet strings arrive one byte per Latin-1 character.
        text += QStringLiteral("%1 ").arg(byte.unicode() & 0xFF, 2, 16, QChar(u'0')).toUpper();
    }
    return text;
}

QString InterfaceLabel(const QString& index, const QString& description, const QString& status) {
    return QStringLiteral("%1 - %2 (%3)").arg(index, description, status);
}

QString StatusCell(const QString& value) {
    const std::int32_t status = ParseInt32(value);
    switch (status) {
        case 1:
            return QStringLiteral("up");
        case 2:
            return QStringLiteral("down");
        case 3:
            return QStringLiteral("testing");
        default:
            return QString::number(status);
    }
}

QString TypeCell(const QString& value) {
    struct Name {
        std::int32_t type;
        const char* name;
    };
    static constexpr Name kNames[] = {{6, "ethernet-csmacd"},
                                      {7, "iso88023-csmacd"},
                                      {11, "starLan"},
                                      {23, "ppp"},
                                      {24, "softwareLoopback"},
                                      {25, "eon"},
                                      {26, "ethernet-3Mbit"},
                                      {27, "nsip"},
                                      {28, "slip"},
                                      {29, "ultra"},
                                      {30, "ds3"},
                                      {31, "sip"},
                                      {32, "frame-relay"}};
    const std::int32_t type = ParseInt32(value);
    for (const Name& known : kNames) {
        if (known.type == type) {
            return QStringLiteral("%1 (%2)").arg(QLatin1String(known.name)).arg(type);
        }
    }
    return QString::number(type);
}

QString UptimeTicksText(const QString& value) {
    const std::optional<std::int64_t> ticks = TryParseInt64(value);
    if (!ticks || *ticks < std::numeric_limits<std::int32_t>::min() ||
        *ticks > std::numeric_limits<std::int32_t>::max()) {
        return {};
    }
    return QString::number(Unsigned32(*ticks));
}

}  // namespace pulsewell

#include "core/polling/TrafficLine.h"

#include <QLocale>

#include "core/numbers/NumberText.h"

namespace pulsewell {

QString TrafficFigures(const TTrafficSample& sample, bool showBytes) {
    const QString unit = showBytes ? QStringLiteral("bytes/s") : QStringLiteral("bits/s");
    const std::int64_t in = showBytes ? sample.inbytepers : sample.inbitpers;
    const std::int64_t out = showBytes ? sample.outbytepers : sample.outbitpers;
    return QStringLiteral("; IN %1: %2; OUT %1: %3; utilization: %4 %")
        .arg(unit, IntegerText(in), IntegerText(out), PercentText(sample.utilbit));
}

QString TrafficMessageLine(const QDateTime& pollTime, const TTrafficSample& sample,
                           bool showBytes) {
    const QDate date = pollTime.date();
    QString month = QLocale().monthName(date.month(), QLocale::ShortFormat);
    // Some locales abbreviate with a dot ("Dez."); the stamp has its own.
    if (month.endsWith(u'.')) {
        month.chop(1);
    }
    const QString stamp = QStringLiteral("%1.%2.%3, %4")
                              .arg(date.day(), 2, 10, QLatin1Char('0'))
                              .arg(month)
                              .arg(date.year(), 4, 10, QLatin1Char('0'))
                              .arg(pollTime.time().toString(QStringLiteral("HH:mm:ss")));
    return stamp + TrafficFigures(sample, showBytes);
}

QString LogTimestamp(const QDateTime& pollTime) {
    return pollTime.toString(QStringLiteral("dd.MM.yyyy, HH:mm:ss"));
}

}  // namespace pulsewell

#include "BulkWalk.h"

#include <QVector>
#include <algorithm>

namespace pulsewell {

namespace {

// The numbers of a dotted identifier; empty when the text is not one.
QVector<quint64> SubIdentifiers(const QString& oid) {
    QVector<quint64> numbers;
    for (const QString& part : oid.split(u'.', Qt::SkipEmptyParts)) {
        bool ok = false;
        numbers.append(part.toULongLong(&ok));
        if (!ok) {
            return {};
        }
    }
    return numbers;
}

// A column of a broken agent may go on within its prefix for ever; no column
// is walked further than its rows and this many objects more.
constexpr int kColumnMargin = 1000;

}  // namespace

bool ComesAfter(const QString& next, const QString& current) {
    const QVector<quint64> a = SubIdentifiers(next);
    const QVector<quint64> b = SubIdentifiers(current);
    return !a.isEmpty() && !b.isEmpty() &&
           std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end());
}

NextSteps::NextSteps(DeviceReader& reader, const QString& community, const QString& host)
    : reader_(reader), community_(community), host_(host) {}

bool NextSteps::Next(QString& oid, QString& value, int ahead) {
    if (bulk_ && reader_.BulkWalks() && (steps_.isEmpty() || from_ != oid)) {
        steps_ = reader_.QueryBulk({oid}, ahead).value_or(QList<DeviceReader::Binding>());
        from_ = oid;
        bulk_ = !steps_.isEmpty();
    }
    if (steps_.isEmpty()) {
        return reader_.ReadNextValue(oid, community_, host_, value);
    }
    const DeviceReader::Binding step = steps_.takeFirst();
    if (step.endOfMibView) {
        steps_.clear();  // the walk ends where GetNext would leave oid as it is
        value.clear();
        return true;
    }
    oid = step.oid;
    value = step.value;
    from_ = oid;
    return true;
}

QHash<QString, QString> WalkColumns(DeviceReader& reader, const QStringList& columns,
                                    const QString& lastIndex, int rows) {
    QHash<QString, QString> values;
    if (!reader.BulkWalks()) {
        return values;
    }
    struct Column {
        QString prefix;
        QString last;  // the object of the last row
        QString at;    // where the walk stands
        int steps = 0;
    };
    QList<Column> walking;
    for (const QString& column : columns) {
        walking.append({column + u'.', column + u'.' + lastIndex, column, 0});
    }
    while (!walking.isEmpty()) {
        QStringList from;
        int ahead = 1;
        for (const Column& column : walking) {
            from.append(column.at);
            ahead = std::max(ahead, rows - column.steps);
        }
        const std::optional<QList<DeviceReader::Binding>> reply = reader.QueryBulk(from, ahead);
        if (!reply || reply->isEmpty()) {
            break;  // what is missing is asked with Get
        }
        const qsizetype width = walking.size();
        QList<Column> still;
        for (qsizetype c = 0; c < width; ++c) {
            Column column = walking[c];
            bool done = false;
            for (qsizetype i = c; i < reply->size() && !done; i += width) {
                const DeviceReader::Binding& step = (*reply)[i];
                if (step.endOfMibView || !step.oid.startsWith(column.prefix) ||
                    !ComesAfter(step.oid, column.at) || ComesAfter(step.oid, column.last)) {
                    done = true;
                    break;
                }
                values.insert(step.oid, step.value);
                column.at = step.oid;
                done = step.oid == column.last || ++column.steps >= rows + kColumnMargin;
            }
            if (!done) {
                still.append(column);
            }
        }
        walking = still;
    }
    return values;
}

}  // namespace pulsewell

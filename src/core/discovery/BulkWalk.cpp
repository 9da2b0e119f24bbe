#include "core/discovery/BulkWalk.h"

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

bool IsWithin(const QString& oid, const QString& subtree) {
    return oid.size() > subtree.size() + 1 && oid.startsWith(subtree) &&
           oid[subtree.size()] == u'.';
}

NextSteps::NextSteps(DeviceReader& reader, const QString& community, const QString& host,
                     const QString& column, BulkYield& yield)
    : reader_(reader), community_(community), host_(host), column_(column), yield_(yield) {}

bool NextSteps::Next(QString& oid, QString& value, int ahead) {
    if (bulk_ && reader_.BulkWalks() && yield_.Pays() && (steps_.isEmpty() || from_ != oid)) {
        steps_ = reader_.QueryBulk({oid}, ahead).value_or(QList<DeviceReader::Binding>());
        from_ = oid;
        bulk_ = !steps_.isEmpty();
        yield_.Count(1, 0);
    }
    if (!steps_.isEmpty()) {
        const DeviceReader::Binding step = steps_.takeFirst();
        if (step.endOfMibView) {
            steps_.clear();  // the walk ends where GetNext would leave oid as it is
            value.clear();
            return true;
        }
        if (IsWithin(step.oid, column_) && ComesAfter(step.oid, oid)) {
            oid = step.oid;
            value = step.value;
            from_ = oid;
            yield_.Count(0, 1);
            return true;
        }
        // A step back, a repeat or one out of the column may be the agent's
        // slip in a long reply: GetNext says what follows the last good step.
        steps_.clear();
    }
    return reader_.ReadNextValue(oid, community_, host_, value);
}

QHash<QString, QString> WalkColumns(DeviceReader& reader, const QStringList& columns,
                                    const QString& lastIndex, int rows, BulkYield& yield) {
    QHash<QString, QString> values;
    if (!reader.BulkWalks() || !yield.Pays()) {
        return values;
    }
    yield.NewWalk();
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
        // A GetNext of these columns would bring a whole row.
        yield.Count(1, static_cast<double>(reply->size()) / static_cast<double>(width));
        if (!yield.Pays()) {
            break;
        }
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

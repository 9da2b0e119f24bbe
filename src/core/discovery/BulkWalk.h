#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "DeviceReader.h"

namespace pulsewell {

// An agent that answers with the same identifier (silence, or the request
// echoed at the end of its tree) or an earlier one would keep a walk going
// for ever; only a later one counts.
bool ComesAfter(const QString& next, const QString& current);

// The steps of one GetNext walk, taken many at a time by GetBulk where the
// reader walks that way; each step is the one ReadNextValue would take.
class NextSteps {
  public:
    NextSteps(DeviceReader& reader, const QString& community, const QString& host);

    // Moves oid to its successor and gives its value, as ReadNextValue does;
    // about `ahead` steps are asked at once.
    bool Next(QString& oid, QString& value, int ahead);

  private:
    DeviceReader& reader_;
    const QString community_;
    const QString host_;
    // Successors of from_ from the last GetBulk reply, in order.
    QList<DeviceReader::Binding> steps_;
    QString from_;
    // An agent that refused a GetBulk is walked by GetNext from then on.
    bool bulk_ = true;
};

// The values of the columns' objects (column + "." + index) up to the row of
// lastIndex, walked side by side by GetBulk, as a Get of each would give
// them; objects the walk did not reach are not there. Empty where the reader
// does not walk by GetBulk.
QHash<QString, QString> WalkColumns(DeviceReader& reader, const QStringList& columns,
                                    const QString& lastIndex, int rows);

}  // namespace pulsewell

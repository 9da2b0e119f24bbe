#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "core/device/DeviceReader.h"

namespace pulsewell {

// An agent that answers with the same identifier (silence, or the request
// echoed at the end of its tree) or an earlier one would keep a walk going
// for ever; only a later one counts.
bool ComesAfter(const QString& next, const QString& current);
// oid lies below subtree, matched by whole sub-identifiers: ".1.10" is not
// below ".1.1".
bool IsWithin(const QString& oid, const QString& subtree);

// Whether GetBulk pays with one host: the replies of each walk bring at least
// as many rows as GetNext would in as many requests. Once a walk's do not (an
// agent that answers a GetBulk with a single binding), the host is walked by
// GetNext from then on.
class BulkYield {
  public:
    // A walk of other columns: its replies are weighed on their own.
    void NewWalk() {
        requests_ = 0;
        rows_ = 0;
    }
    void Count(int requests, double rows) {
        requests_ += requests;
        rows_ += rows;
    }
    // Weighs what the walk's replies brought so far.
    bool Pays() {
        failed_ = failed_ || rows_ < requests_;
        return !failed_;
    }

  private:
    int requests_ = 0;
    double rows_ = 0;
    bool failed_ = false;
};

// The steps of one GetNext walk of a column, taken many at a time by GetBulk
// where the reader walks that way and it pays; each step is the one
// ReadNextValue would take.
class NextSteps {
  public:
    NextSteps(DeviceReader& reader, const QString& community, const QString& host,
              const QString& column, BulkYield& yield);

    // Moves oid to its successor and gives its value, as ReadNextValue does;
    // about `ahead` steps are asked at once.
    bool Next(QString& oid, QString& value, int ahead);

  private:
    DeviceReader& reader_;
    const QString community_;
    const QString host_;
    const QString column_;
    BulkYield& yield_;
    // Successors of from_ from the last GetBulk reply, in order.
    QList<DeviceReader::Binding> steps_;
    QString from_;
    // An agent that refused a GetBulk is walked by GetNext from then on.
    bool bulk_ = true;
};

// The values of the columns' objects (column + "." + index) up to the row of
// lastIndex, walked side by side by GetBulk, as a Get of each would give
// them; objects the walk did not reach are not there. Empty where the reader
// does not walk by GetBulk or it does not pay; a reply of less than a row
// ends the walk, and GetBulk no longer pays.
QHash<QString, QString> WalkColumns(DeviceReader& reader, const QStringList& columns,
                                    const QString& lastIndex, int rows, BulkYield& yield);

}  // namespace pulsewell

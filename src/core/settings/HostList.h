#pragma once

#include <QString>
#include <QStringList>

namespace pulsewell {

// "hostfile.txt" in the program's folder: remembered hosts, newest first.
class HostList {
  public:
    static constexpr int kMaxEntries = 10;

    explicit HostList(QString folder);

    // Reads the file, creating it empty when missing. Throws OperationError
    // when it can be neither read nor created.
    QStringList Load() const;

    // Puts host in front unless an entry equals it ignoring case, keeps the
    // first ten and rewrites the file. Returns the new entries; entries
    // stay as they were when host is known already.
    QStringList Remember(const QStringList& entries, const QString& host) const;

  private:
    QString Path() const;
    QString folder_;
};

}  // namespace pulsewell

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace pulsewell {

// The status and traffic lines under "Traffic log:". The window mirrors it in
// a text area and the command-line monitor prints what is appended.
class MessageList : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMaxLines = 1000;

    using QObject::QObject;

    void Append(const QString& line);
    void Clear();
    // Deletes lines from the top until at most kMaxLines remain.
    void Trim();

    int Count() const { return lines_.size(); }
    QString LastLine() const;
    const QStringList& Lines() const { return lines_; }

  signals:
    void Appended(const QString& line);
    void Cleared();
    void FirstLinesRemoved(int count);

  private:
    QStringList lines_;
};

}  // namespace pulsewell

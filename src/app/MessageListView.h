#pragma once

#include <QPlainTextEdit>

namespace pulsewell {

class MessageList;

// The text area under "Traffic log:", kept equal to the monitor's message list.
class MessageListView : public QPlainTextEdit {
    Q_OBJECT
  public:
    MessageListView(const MessageList& list, QWidget* parent);

  private:
    void RemoveFirstLines(int count);
};

}  // namespace pulsewell

#include "app/MessageListView.h"

#include <QTextBlock>
#include <QTextCursor>

#include "core/MessageList.h"

namespace pulsewell {

MessageListView::MessageListView(const MessageList& list, QWidget* parent)
    : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (const QString& line : list.Lines()) {
        appendPlainText(line);
    }
    connect(&list, &MessageList::Appended, this, &QPlainTextEdit::appendPlainText);
    connect(&list, &MessageList::Cleared, this, &QPlainTextEdit::clear);
    connect(&list, &MessageList::FirstLinesRemoved, this, &MessageListView::RemoveFirstLines);
}

void MessageListView::RemoveFirstLines(int count) {
    QTextCursor cursor(document()->firstBlock());
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, count);
    cursor.removeSelectedText();
}

}  // namespace pulsewell

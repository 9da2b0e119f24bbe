#include "core/MessageList.h"

namespace pulsewell {

void MessageList::Append(const QString& line) {
    lines_.append(line);
    emit Appended(line);
}

void MessageList::Clear() {
    lines_.clear();
    emit Cleared();
}

void MessageList::Trim() {
    const int excess = static_cast<int>(lines_.size()) - kMaxLines;
    if (excess <= 0) {
        return;
    }
    lines_.remove(0, excess);
    emit FirstLinesRemoved(excess);
}

QString MessageList::LastLine() const {
    return lines_.isEmpty() ? QString() : lines_.last();
}

}  // namespace pulsewell

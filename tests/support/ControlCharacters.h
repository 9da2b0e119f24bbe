#pragma once

#include <QString>
#include <algorithm>

namespace pulsewell::test {

// A character a terminal acts on instead of showing it (C0 but the line
// feed, DEL, C1).
inline bool HasControlCharacter(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return (c < u' ' && c != u'\n') || (c >= u'\x7f' && c <= u'\x9f');
    });
}

}  // namespace pulsewell::test

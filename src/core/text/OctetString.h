#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pulsewell {

// Octet strings are bytes; Latin-1 keeps every byte as one character, both ways.
inline std::string OctetBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

inline QString OctetText(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace pulsewell

#pragma once

#include <QString>
#include <QStringList>

// Texts from a device as they may be shown and written. A control character
// (C0, DEL, C1) would move a terminal's cursor, retitle it, ring its bell or
// start a forged line in a file, so each is written as a visible escape such
// as "\x1b" instead; the same rule holds for the window, the files and the
// command line.
namespace pulsewell {

// Every control character escaped, line breaks too.
QString VisibleText(const QString& text);

// One line per line of the text (at CR LF, CR or LF), each VisibleText.
QStringList VisibleLines(const QString& text);

// A table cell, which never spans lines: each line break a blank, the rest
// VisibleText.
QString VisibleCell(const QString& text);

// The most of a text that a box, label or notice shows: a device or a file
// can hand over megabytes, and a window laying them out stops answering.
inline constexpr qsizetype kLongestShownText = 1000;
// The text cut after kLongestShownText characters, with "…" for the rest.
QString ShownText(const QString& text);

}  // namespace pulsewell

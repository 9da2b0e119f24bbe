#pragma once

#include <QRect>
#include <optional>

namespace pulsewell {

// The main window's place and size on the desktop, kept in the settings file
// between runs (windowleft, windowtop, windowwidth, windowheight).

// The stored geometry; nothing when any of the four values is missing. A
// value that is no integer fails with the conversion error, one outside
// what a window can be with a SettingValueError.
std::optional<QRect> ReadWindowGeometry();
// Fails with the settings' write error when the store refuses it.
void WriteWindowGeometry(const QRect& geometry);

// `stored` cut to the screen's size (but never below `minimum`) and moved
// so that as much of it as possible lies on the screen.
QRect FitOnScreen(const QRect& stored, const QRect& screen, const QSize& minimum);

}  // namespace pulsewell

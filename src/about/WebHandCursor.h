#pragma once

#include <QCursor>

namespace pulsewell {

// The program's own hand cursor "WEB_HAND": 32 x 32, black and white, with
// its hot spot at the tip of the pointing finger.
QCursor WebHandCursor();

// The cursor of every control that points at a link. Qt cannot replace its
// own pointing-hand cursor, so controls ask here for the installed one.
void InstallHandPointCursor(const QCursor& cursor);
QCursor HandPointCursor();

}  // namespace pulsewell

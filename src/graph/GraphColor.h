#pragma once

#include <QColor>

#include "graph/ColorValue.h"

namespace pulsewell {

// The colour to paint with, resolved at the moment of drawing.
QColor ToQColor(TColor color);

}  // namespace pulsewell

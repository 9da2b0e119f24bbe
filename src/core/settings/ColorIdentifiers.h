#pragma once

#include <QString>
#include <span>

#include "graph/ColorValue.h"

namespace pulsewell {

// A colour identifier of the stored options and the colour it names.
struct TColorIdentifier {
    const char* Name;
    TColor Value;
};

// The colours a threshold colour picker offers, in its order: the sixteen
// standard and four extended colours, then the system colours.
std::span<const TColorIdentifier> PickerColors();

// A stored colour text: an identifier (any case), else an integer text
// (decimal, or "$" and hexadecimal digits). Anything else throws ConversionError.
TColor ColorFromText(const QString& text);

// The identifier as it is written ("clRed"), or "$" and eight upper-case
// hexadecimal digits for a colour without one.
QString ColorToText(TColor color);

}  // namespace pulsewell

#include "graph/GraphColor.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace pulsewell {

namespace {

struct SystemRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// System colour indexes (the classic desktop colour slots) mapped onto the
// nearest palette role, so that such colours follow the user's theme:
//  0 scroll bar -> Button           16 button shadow -> Dark
//  1 desktop -> Window              17 grey text -> Text (disabled group)
//  2 active caption -> Highlight    18 button text -> ButtonText
//  3 inactive caption -> Mid        19 inactive caption text -> WindowText
//  4 menu -> Window                 20 button highlight -> Light
//  5 window -> Base                 21 3-D dark shadow -> Shadow
//  6 window frame -> Shadow         22 3-D light -> Midlight
//  7 menu text -> WindowText        23 info text -> ToolTipText
//  8 window text -> Text            24 info background -> ToolTipBase
//  9 caption text -> HighlightedText  25 (unused) -> black
// 10 active border -> Window        26 hot light -> Link
// 11 inactive border -> Window      27 gradient active caption -> Highlight
// 12 application workspace -> Dark  28 gradient inactive caption -> Mid
// 13 highlight -> Highlight         29 menu highlight -> Highlight
// 14 highlight text -> HighlightedText  30 menu bar -> Window
// 15 button face -> Button          other indexes -> black
constexpr QPalette::ColorGroup kActive = QPalette::Active;
constexpr std::array<SystemRole, 31> kSystemRoles{{
    {kActive, QPalette::Button},
    {kActive, QPalette::Window},
    {kActive, QPalette::Highlight},
    {kActive, QPalette::Mid},
    {kActive, QPalette::Window},
    {kActive, QPalette::Base},
    {kActive, QPalette::Shadow},
    {kActive, QPalette::WindowText},
    {kActive, QPalette::Text},
    {kActive, QPalette::HighlightedText},
    {kActive, QPalette::Window},
    {kActive, QPalette::Window},
    {kActive, QPalette::Dark},
    {kActive, QPalette::Highlight},
    {kActive, QPalette::HighlightedText},
    {kActive, QPalette::Button},
    {kActive, QPalette::Dark},
    {QPalette::Disabled, QPalette::Text},
    {kActive, QPalette::ButtonText},
    {kActive, QPalette::WindowText},
    {kActive, QPalette::Light},
    {kActive, QPalette::Shadow},
    {kActive, QPalette::Midlight},
    {kActive, QPalette::ToolTipText},
    {kActive, QPalette::ToolTipBase},
    {kActive, QPalette::NoRole},
    {kActive, QPalette::Link},
    {kActive, QPalette::Highlight},
    {kActive, QPalette::Mid},
    {kActive, QPalette::Highlight},
    {kActive, QPalette::Window},
}};

QColor SystemColor(std::uint32_t index) {
    if (index >= kSystemRoles.size() || kSystemRoles[index].role == QPalette::NoRole) {
        return QColor(Qt::black);
    }
    // Without a GUI application there is no theme; Qt's built-in palette stands in.
    const QPalette palette = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                 ? QGuiApplication::palette()
                                 : QPalette(QColor(Qt::lightGray));
    return palette.color(kSystemRoles[index].group, kSystemRoles[index].role);
}

}  // namespace

QColor ToQColor(TColor color) {
    if ((color & kSystemColorFlag) == kSystemColorFlag) {
        return SystemColor(color & 0x00FFFFFF);
    }
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace pulsewell

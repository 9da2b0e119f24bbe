#include "core/settings/WindowGeometry.h"

#include <algorithm>
#include <array>

#include "core/numbers/NumberText.h"
#include "core/settings/SettingNames.h"
#include "core/settings/SettingValueError.h"
#include "core/settings/SettingsKey.h"

namespace pulsewell {

namespace {

// Qt's largest widget size: within it the window's edges never leave int.
constexpr int kLargest = 16777215;

struct Part {
    const settings::Setting* setting;
    int least;
};

const std::array<Part, 4> kParts = {{{&settings::kWindowLeft, -kLargest},
                                     {&settings::kWindowTop, -kLargest},
                                     {&settings::kWindowWidth, 0},
                                     {&settings::kWindowHeight, 0}}};

}  // namespace

std::optional<QRect> ReadWindowGeometry() {
    const SettingsKey key;
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < kParts.size(); ++i) {
        const Part& part = kParts[i];
        const std::optional<QString> text = key.Read(part.setting->name);
        if (!text) {
            return std::nullopt;
        }
        values[i] = ParseInt32(*text);
        if (values[i] < part.least || values[i] > kLargest) {
            throw SettingValueError(
                part.setting->name, *text, key.Path(),
                QStringLiteral("a whole number from %1 to %2").arg(part.least).arg(kLargest));
        }
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

void WriteWindowGeometry(const QRect& geometry) {
    SettingsKey key;
    const std::array<int, 4> values = {geometry.x(), geometry.y(), geometry.width(),
                                       geometry.height()};
    for (std::size_t i = 0; i < kParts.size(); ++i) {
        key.Write(kParts[i].setting->name, QString::number(values[i]));
    }
}

QRect FitOnScreen(const QRect& stored, const QRect& screen, const QSize& minimum) {
    const QSize size = stored.size().boundedTo(screen.size()).expandedTo(minimum);
    // Where the window is larger than the screen its top left stays on it.
    const int left =
        std::max(screen.left(), std::min(stored.left(), screen.right() + 1 - size.width()));
    const int top =
        std::max(screen.top(), std::min(stored.top(), screen.bottom() + 1 - size.height()));
    return QRect(QPoint(left, top), size);
}

}  // namespace pulsewell

#include "WindowGeometry.h"

#include <algorithm>
#include <array>

#include "NumberText.h"
#include "SettingNames.h"
#include "SettingsKey.h"

namespace pulsewell {

namespace {

const std::array<const settings::Setting*, 4> kParts = {
    &settings::kWindowLeft, &settings::kWindowTop, &settings::kWindowWidth,
    &settings::kWindowHeight};

}  // namespace

std::optional<QRect> ReadWindowGeometry() {
    const SettingsKey key;
    std::array<int, 4> values{};
    for (std::size_t i = 0; i < kParts.size(); ++i) {
        const std::optional<QString> text = key.Read(kParts[i]->name);
        if (!text) {
            return std::nullopt;
        }
        values[i] = ParseInt32(*text);
    }
    return QRect(values[0], values[1], values[2], values[3]);
}

void WriteWindowGeometry(const QRect& geometry) {
    SettingsKey key;
    const std::array<int, 4> values = {geometry.x(), geometry.y(), geometry.width(),
                                       geometry.height()};
    for (std::size_t i = 0; i < kParts.size(); ++i) {
        key.Write(kParts[i]->name, QString::number(values[i]));
    }
}

QRect FitOnScreen(const QRect& stored, const QRect& screen, const QSize& minimum) {
    const QSize size = stored.size().boundedTo(screen.size()).expandedTo(minimum);
    // Where the window is larger than the screen its top left stays on it.
    const int left = std::max(screen.left(), std::min(stored.left(), screen.right() + 1 - size.width()));
    const int top = std::max(screen.top(), std::min(stored.top(), screen.bottom() + 1 - size.height()));
    return QRect(QPoint(left, top), size);
}

}  // namespace pulsewell

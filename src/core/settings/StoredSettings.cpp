#include "StoredSettings.h"

#include <functional>

#include "NumberText.h"
#include "SettingNames.h"
#include "SettingsKey.h"
#include "SnmpV3Settings.h"

namespace pulsewell {

void LoadStoredSettings(ErrorReporter& reporter, TrafficGraph& graph, TMonitorState& state) {
    using namespace settings;
    SettingsKey key;
    const std::function<void()> steps[] = {
        [&] {
            if (const auto high = key.Read(kHighValue.name)) {
                graph.SetHighThreshold(ParseStoredInt32(*high));
            } else {
                key.Write(kHighValue.name, kHighValue.defaultText);
            }
        },
        [&] {
            if (const auto low = key.Read(kLowValue.name)) {
                graph.SetLowThreshold(ParseStoredInt32(*low));
            } else {
                key.Write(kLowValue.name, kLowValue.defaultText);
            }
        },
        [&] {
            // Without a stored unit the current one stays; the default is only stored.
            const auto show = key.Read(kShow.name);
            if (!show) {
                key.Write(kShow.name, kShow.defaultText);
            } else if (*show == QStringLiteral("bytes") || *show == QStringLiteral("bits")) {
                state.ShowBytes = *show == QStringLiteral("bytes");
            }
        },
        [&] {
            // Stored colours reach the graph only through the options dialog.
            for (const Setting* color : {&kHighValueColor, &kNormalValueColor, &kLowValueColor}) {
                key.ReadOrWrite(color->name, color->defaultText);
            }
        },
        [&] {
            const QString onErrors = key.ReadOrWrite(kOnErrors.name, kOnErrors.defaultText);
            if (onErrors == QStringLiteral("continue") || onErrors == QStringLiteral("stop")) {
                state.ContinueWithZeroes = onErrors == QStringLiteral("continue");
            }
        },
        [&] {
            const QString text = key.Read(kSnmpVersion.name).value_or(kSnmpVersion.defaultText);
            if (const auto version = ParseSnmpVersion(text)) {
                state.Version = *version;
            }
        },
        [&] { ReadV3Settings(key, state.Security); },
    };
    for (const auto& step : steps) {
        RunGuarded(reporter, step);
    }
}

}  // namespace pulsewell

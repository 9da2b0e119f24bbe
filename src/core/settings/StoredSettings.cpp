#include "core/settings/StoredSettings.h"

#include <functional>

#include "core/numbers/NumberText.h"
#include "core/settings/SettingNames.h"
#include "core/settings/SettingValueError.h"
#include "core/settings/SettingsKey.h"
#include "core/settings/SnmpV3Settings.h"

namespace pulsewell {

namespace {

// A stored threshold; one that is no integer is named with its file.
std::int32_t StoredThreshold(const SettingsKey& key, const settings::Setting& setting,
                             const QString& text) {
    try {
        return ParseStoredInt32(text);
    } catch (const ConversionError&) {
        throw SettingValueError(setting.name, text, key.Path(),
                                QStringLiteral("a whole number, or \"$\" and hexadecimal digits"));
    }
}

}  // namespace

void LoadStoredSettings(ErrorReporter& reporter, TrafficGraph& graph, TMonitorState& state,
                        bool storeMissing) {
    using namespace settings;
    SettingsKey key;
    const auto storeDefault = [&](const Setting& setting) {
        if (storeMissing) {
            key.Write(setting.name, setting.defaultText);
        }
    };
    const auto readOrStore = [&](const Setting& setting) {
        return storeMissing ? key.ReadOrWrite(setting.name, setting.defaultText)
                            : key.Read(setting.name).value_or(setting.defaultText);
    };
    const std::function<void()> steps[] = {
        [&] {
            if (const auto high = key.Read(kHighValue.name)) {
                graph.SetHighThreshold(StoredThreshold(key, kHighValue, *high));
            } else {
                storeDefault(kHighValue);
            }
        },
        [&] {
            if (const auto low = key.Read(kLowValue.name)) {
                graph.SetLowThreshold(StoredThreshold(key, kLowValue, *low));
            } else {
                storeDefault(kLowValue);
            }
        },
        [&] {
            // Without a stored unit the current one stays; the default is only stored.
            const auto show = key.Read(kShow.name);
            if (!show) {
                storeDefault(kShow);
            } else if (*show == QStringLiteral("bytes") || *show == QStringLiteral("bits")) {
                state.ShowBytes = *show == QStringLiteral("bytes");
            }
        },
        [&] {
            // Stored colours reach the graph only through the options dialog.
            for (const Setting* color : {&kHighValueColor, &kNormalValueColor, &kLowValueColor}) {
                readOrStore(*color);
            }
        },
        [&] {
            const QString onErrors = readOrStore(kOnErrors);
            if (onErrors == QStringLiteral("continue") || onErrors == QStringLiteral("stop")) {
                state.ContinueWithZeroes = onErrors == QStringLiteral("continue");
            }
        },
        [&] {
            const QString text = key.Read(kSnmpVersion.name).value_or(kSnmpVersion.defaultText);
            const auto version = ParseSnmpVersion(text);
            if (!version) {
                throw SettingValueError(kSnmpVersion.name, text, key.Path(), SnmpVersionChoices());
            }
            state.Device.Version = *version;
        },
        [&] {
            if (const QStringList problems = ReadV3Settings(key, state.Device.Security);
                !problems.isEmpty()) {
                throw OperationError(problems.join(u'\n'));
            }
        },
    };
    for (const auto& step : steps) {
        RunGuarded(reporter, step);
    }
}

}  // namespace pulsewell

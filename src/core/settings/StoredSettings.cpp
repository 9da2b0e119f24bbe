#include "StoredSettings.h"

#include <functional>

#include "NumberText.h"
#include "SettingsKey.h"

namespace pulsewell {

void LoadStoredSettings(ErrorReporter& reporter, TrafficGraph& graph, TMonitorState& state) {
    SettingsKey key;
    const std::function<void()> steps[] = {
        [&] {
            if (const auto high = key.Read(QStringLiteral("highvalue"))) {
                graph.SetHighThreshold(ParseStoredInt32(*high));
            } else {
                key.Write(QStringLiteral("highvalue"), QStringLiteral("70"));
            }
        },
        [&] {
            if (const auto low = key.Read(QStringLiteral("lowvalue"))) {
                graph.SetLowThreshold(ParseStoredInt32(*low));
            } else {
                key.Write(QStringLiteral("lowvalue"), QStringLiteral("20"));
            }
        },
        [&] {
            // Without a stored unit the current one stays; the default is only stored.
            const auto show = key.Read(QStringLiteral("show"));
            if (!show) {
                key.Write(QStringLiteral("show"), QStringLiteral("bits"));
            } else if (*show == QStringLiteral("bytes") || *show == QStringLiteral("bits")) {
                state.ShowBytes = *show == QStringLiteral("bytes");
            }
        },
        [&] {
            // Stored colours reach the graph only through the options dialog.
            key.ReadOrWrite(QStringLiteral("highvaluecolor"), QStringLiteral("clred"));
            key.ReadOrWrite(QStringLiteral("normalvaluecolor"), QStringLiteral("clYellow"));
            key.ReadOrWrite(QStringLiteral("lowvaluecolor"), QStringLiteral("clLime"));
        },
        [&] {
            const QString onErrors =
                key.ReadOrWrite(QStringLiteral("onerrors"), QStringLiteral("continue"));
            if (onErrors == QStringLiteral("continue") || onErrors == QStringLiteral("stop")) {
                state.ContinueWithZeroes = onErrors == QStringLiteral("continue");
            }
        },
        [&] {
            // Not written when missing: a store without it is one from before
            // SNMPv2c, and SNMPv1 is what it always meant.
            const QString text =
                key.Read(QStringLiteral("snmpversion")).value_or(QStringLiteral("1"));
            if (const auto version = ParseSnmpVersion(text)) {
                state.Version = *version;
            }
        },
    };
    for (const auto& step : steps) {
        RunGuarded(reporter, step);
    }
}

}  // namespace pulsewell

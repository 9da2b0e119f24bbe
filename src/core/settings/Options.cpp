#include "core/settings/Options.h"

#include "core/numbers/NumberText.h"
#include "core/settings/ColorIdentifiers.h"
#include "core/settings/SettingNames.h"
#include "core/settings/SettingsKey.h"
#include "core/settings/SnmpV3Settings.h"

namespace pulsewell {

namespace {

using namespace settings;

// The three bar colours, in the order they are read and written.
struct ColorValue {
    const Setting& setting;
    TColor TOptionsFields::*field;
    void (TrafficGraph::*apply)(TColor);
};

const ColorValue kColorValues[] = {
    {kHighValueColor, &TOptionsFields::HighColor, &TrafficGraph::SetHighColor},
    {kNormalValueColor, &TOptionsFields::NormalColor, &TrafficGraph::SetMidColor},
    {kLowValueColor, &TOptionsFields::LowColor, &TrafficGraph::SetLowColor},
};

QString ReadOrWrite(SettingsKey& key, const Setting& setting) {
    return key.ReadOrWrite(setting.name, setting.defaultText);
}

QString YesNo(bool on) {
    return on ? QStringLiteral("yes") : QStringLiteral("no");
}

}  // namespace

Options::Options(OptionsView& view, OptionsTarget& target) : view_(view), target_(target) {}

bool Options::IsWavePath(const QString& path) {
    return path.contains(QStringLiteral(".wav"), Qt::CaseInsensitive);
}

void Options::LoadDialog() {
    EditFields([this](SettingsKey& key, TOptionsFields& fields) { ReadSettings(key, fields); });
    view_.SelectThresholdsTab();
}

bool Options::CancelOptions() {
    return EditFields(
        [this](SettingsKey& key, TOptionsFields& fields) { ReadSettings(key, fields); });
}

void Options::ChooseErrorPolicy(bool continueWithZeroes) {
    target_.SetContinueWithZeroes(continueWithZeroes);
}

bool Options::AcceptOptions() {
    return EditFields([this](SettingsKey& key, TOptionsFields& fields) {
        WriteSettings(key, fields);
        TrafficGraph& graph = target_.Graph();
        const QString high = ReadOrWrite(key, kHighValue);
        const QString low = ReadOrWrite(key, kLowValue);
        graph.SetHighThreshold(ParseStoredInt32(high));
        graph.SetLowThreshold(ParseStoredInt32(low));
        ApplyShow(ReadOrWrite(key, kShow));
        for (const ColorValue& color : kColorValues) {
            (graph.*color.apply)(ColorFromText(ReadOrWrite(key, color.setting)));
        }
        ReadAlarms(key, fields);
        graph.Graphupdate();
    });
}

void Options::ReadSettings(SettingsKey& key, TOptionsFields& fields) {
    if (const auto high = key.Read(kHighValue.name)) {
        fields.Alarms.HighValue = *high;
    } else {
        key.Write(kHighValue.name, kHighValue.defaultText);
    }
    if (const auto low = key.Read(kLowValue.name)) {
        fields.Alarms.LowValue = *low;
    } else {
        key.Write(kLowValue.name, kLowValue.defaultText);
    }
    if (const auto show = key.Read(kShow.name)) {
        if (*show == QStringLiteral("bytes") || *show == QStringLiteral("bits")) {
            fields.ShowBytes = *show == QStringLiteral("bytes");
        }
    } else {
        key.Write(kShow.name, kShow.defaultText);
    }
    for (const ColorValue& color : kColorValues) {
        if (const auto text = key.Read(color.setting.name)) {
            fields.*color.field = StoredColor(key, color.setting, *text);
        } else {
            key.Write(color.setting.name, color.setting.defaultText);
        }
    }
    ReadAlarms(key, fields);
    const QString version = key.Read(kSnmpVersion.name).value_or(kSnmpVersion.defaultText);
    if (const auto parsed = ParseSnmpVersion(version)) {
        fields.Version = *parsed;
    }
    // A value that names nothing was reported when the window loaded the store.
    ReadV3Settings(key, fields.V3);
    // The passphrases are not stored here: those in force, while their user is the stored one.
    const SnmpV3Security& inForce = target_.SnmpSecurity();
    const bool sameUser = inForce.User == fields.V3.User;
    fields.V3.AuthPassphrase = sameUser ? inForce.AuthPassphrase : QString();
    fields.V3.PrivPassphrase = sameUser ? inForce.PrivPassphrase : QString();
    fields.KeepHistory = key.Read(kHistoryRecording.name).value_or(kHistoryRecording.defaultText) !=
                         QStringLiteral("no");
    const QString onErrors = ReadOrWrite(key, kOnErrors);
    if (onErrors == QStringLiteral("continue") || onErrors == QStringLiteral("stop")) {
        fields.ContinueWithZeroes = onErrors == QStringLiteral("continue");
        ChooseErrorPolicy(fields.ContinueWithZeroes);
    }
}

TColor Options::StoredColor(const SettingsKey& key, const Setting& setting, const QString& text) {
    try {
        return ColorFromText(text);
    } catch (const ConversionError&) {
        // One hand-edited value must not keep every other one from the dialog.
        view_.ShowError(QStringLiteral("'%1' is no colour for '%2' in %3: the default %4 applies")
                            .arg(text, setting.name, key.Path(), setting.defaultText));
        return ColorFromText(setting.defaultText);
    }
}

void Options::WriteSettings(SettingsKey& key, const TOptionsFields& fields) {
    // Thresholds that are no percentages, or a low one above the high one,
    // are refused before anything is stored.
    const std::int32_t high = ParseStoredInt32(fields.Alarms.HighValue);
    const std::int32_t low = ParseStoredInt32(fields.Alarms.LowValue);
    for (const auto& [name, value] : {std::pair{"high", high}, {"low", low}}) {
        if (value < 0 || value > 100) {
            throw OperationError(
                QStringLiteral("The %1 value must be a percentage from 0 to 100, not %2.")
                    .arg(QLatin1String(name))
                    .arg(value));
        }
    }
    if (low > high) {
        throw OperationError(
            QStringLiteral("The low value (%1) must not be above the high value (%2).")
                .arg(low)
                .arg(high));
    }
    key.Write(kHighValue.name, fields.Alarms.HighValue);
    key.Write(kLowValue.name, fields.Alarms.LowValue);
    key.Write(kShow.name, fields.ShowBytes ? QStringLiteral("bytes") : QStringLiteral("bits"));
    target_.SetShowBytes(fields.ShowBytes);
    key.Write(kOnErrors.name,
              fields.ContinueWithZeroes ? QStringLiteral("continue") : QStringLiteral("stop"));
    ChooseErrorPolicy(fields.ContinueWithZeroes);
    key.Write(kHistoryRecording.name,
              fields.KeepHistory ? QStringLiteral("yes") : QStringLiteral("no"));
    for (const ColorValue& color : kColorValues) {
        key.Write(color.setting.name, ColorToText(fields.*color.field));
        (target_.Graph().*color.apply)(fields.*color.field);
    }
    // The next request goes out in the version chosen; a poll that changes
    // the counters' width measures from the poll after it.
    key.Write(kSnmpVersion.name, SnmpVersionText(fields.Version));
    target_.SetSnmpVersion(fields.Version);
    // A store that never saw SNMPv3 stays without its values.
    if (fields.Version == SnmpVersion::V3 || !fields.V3.User.isEmpty()) {
        WriteV3Settings(key, fields.V3);
    }
    target_.SetSnmpSecurity(fields.V3);
    key.Write(kLowAlarmActive.name, YesNo(fields.Alarms.LowAlarm));
    key.Write(kHighAlarmActive.name, YesNo(fields.Alarms.HighAlarm));
    // An emptied file edit keeps the stored file.
    if (!fields.Alarms.LowAlarmFile.isEmpty()) {
        key.Write(kLowAlarmFile.name, fields.Alarms.LowAlarmFile);
    }
    if (!fields.Alarms.HighAlarmFile.isEmpty()) {
        key.Write(kHighAlarmFile.name, fields.Alarms.HighAlarmFile);
    }
}

void Options::ReadAlarms(SettingsKey& key, TOptionsFields& fields) {
    ReadOrWrite(key, kHighAlarmActive);
    ReadOrWrite(key, kLowAlarmActive);
    fields.Alarms.LowAlarm = key.Read(kLowAlarmActive.name) == QStringLiteral("yes");
    fields.Alarms.HighAlarm = key.Read(kHighAlarmActive.name) == QStringLiteral("yes");
    if (const auto high = key.Read(kHighAlarmFile.name)) {
        fields.Alarms.HighAlarmFile = *high;
    }
    if (const auto low = key.Read(kLowAlarmFile.name)) {
        fields.Alarms.LowAlarmFile = *low;
    }
}

void Options::ApplyShow(const QString& show) {
    if (show == QStringLiteral("bytes") || show == QStringLiteral("bits")) {
        target_.SetShowBytes(show == QStringLiteral("bytes"));
    }
}

bool Options::EditFields(const std::function<void(SettingsKey&, TOptionsFields&)>& operation) {
    TOptionsFields fields = view_.Fields();
    try {
        SettingsKey key;
        operation(key, fields);
    } catch (const OperationError& error) {
        view_.ShowFields(fields);
        view_.ShowError(error.Message());
        return false;
    }
    view_.ShowFields(fields);
    return true;
}

}  // namespace pulsewell

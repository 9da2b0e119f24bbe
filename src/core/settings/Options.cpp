#include "Options.h"

#include "ColorIdentifiers.h"
#include "NumberText.h"
#include "SettingsKey.h"

namespace pulsewell {

namespace {

const QString kHighValue = QStringLiteral("highvalue");
const QString kLowValue = QStringLiteral("lowvalue");
const QString kShow = QStringLiteral("show");
const QString kOnErrors = QStringLiteral("onerrors");
const QString kHighAlarmActive = QStringLiteral("highalarmactive");
const QString kLowAlarmActive = QStringLiteral("lowalarmactive");
const QString kHighAlarmFile = QStringLiteral("highalarmfile");
const QString kLowAlarmFile = QStringLiteral("lowalarmfile");
const QString kSnmpVersion = QStringLiteral("snmpversion");

// The three bar colours, in the order they are read and written.
struct ColorValue {
    QString name;
    QString defaultText;
    TColor TOptionsFields::*field;
    void (TrafficGraph::*apply)(TColor);
};

const ColorValue kColorValues[] = {
    {QStringLiteral("highvaluecolor"), QStringLiteral("clred"), &TOptionsFields::HighColor,
     &TrafficGraph::SetHighColor},
    {QStringLiteral("normalvaluecolor"), QStringLiteral("clYellow"), &TOptionsFields::NormalColor,
     &TrafficGraph::SetMidColor},
    {QStringLiteral("lowvaluecolor"), QStringLiteral("clLime"), &TOptionsFields::LowColor,
     &TrafficGraph::SetLowColor},
};

QString YesNo(bool on) {
    return on ? QStringLiteral("yes") : QStringLiteral("no");
}

}  // namespace

Options::Options(OptionsView& view, Monitor& monitor) : view_(view), monitor_(monitor) {}

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
    monitor_.State().ContinueWithZeroes = continueWithZeroes;
}

bool Options::AcceptOptions() {
    return EditFields([this](SettingsKey& key, TOptionsFields& fields) {
        WriteSettings(key, fields);
        TrafficGraph& graph = monitor_.Graph();
        const QString high = key.ReadOrWrite(kHighValue, QStringLiteral("70"));
        const QString low = key.ReadOrWrite(kLowValue, QStringLiteral("20"));
        graph.SetHighThreshold(ParseStoredInt32(high));
        graph.SetLowThreshold(ParseStoredInt32(low));
        ApplyShow(key.ReadOrWrite(kShow, QStringLiteral("bits")));
        for (const ColorValue& color : kColorValues) {
            (graph.*color.apply)(ColorFromText(key.ReadOrWrite(color.name, color.defaultText)));
        }
        ReadAlarms(key, fields);
        graph.Graphupdate();
    });
}

void Options::ReadSettings(SettingsKey& key, TOptionsFields& fields) {
    if (const auto high = key.Read(kHighValue)) {
        fields.Alarms.HighValue = *high;
    } else {
        key.Write(kHighValue, QStringLiteral("70"));
    }
    if (const auto low = key.Read(kLowValue)) {
        fields.Alarms.LowValue = *low;
    } else {
        key.Write(kLowValue, QStringLiteral("20"));
    }
    if (const auto show = key.Read(kShow)) {
        if (*show == QStringLiteral("bytes") || *show == QStringLiteral("bits")) {
            fields.ShowBytes = *show == QStringLiteral("bytes");
        }
    } else {
        key.Write(kShow, QStringLiteral("bits"));
    }
    for (const ColorValue& color : kColorValues) {
        if (const auto text = key.Read(color.name)) {
            fields.*color.field = ColorFromText(*text);
        } else {
            key.Write(color.name, color.defaultText);
        }
    }
    ReadAlarms(key, fields);
    // Not written when missing, as at program start: missing means SNMPv1.
    const QString version = key.Read(kSnmpVersion).value_or(QStringLiteral("1"));
    if (const auto parsed = ParseSnmpVersion(version)) {
        fields.Version = *parsed;
    }
    const QString onErrors = key.ReadOrWrite(kOnErrors, QStringLiteral("continue"));
    if (onErrors == QStringLiteral("continue") || onErrors == QStringLiteral("stop")) {
        fields.ContinueWithZeroes = onErrors == QStringLiteral("continue");
        ChooseErrorPolicy(fields.ContinueWithZeroes);
    }
}

void Options::WriteSettings(SettingsKey& key, const TOptionsFields& fields) {
    // A threshold that is not a number is refused before anything is stored.
    ParseStoredInt32(fields.Alarms.HighValue);
    ParseStoredInt32(fields.Alarms.LowValue);
    key.Write(kHighValue, fields.Alarms.HighValue);
    key.Write(kLowValue, fields.Alarms.LowValue);
    key.Write(kShow, fields.ShowBytes ? QStringLiteral("bytes") : QStringLiteral("bits"));
    monitor_.SetShowBytes(fields.ShowBytes);
    key.Write(kOnErrors,
              fields.ContinueWithZeroes ? QStringLiteral("continue") : QStringLiteral("stop"));
    ChooseErrorPolicy(fields.ContinueWithZeroes);
    for (const ColorValue& color : kColorValues) {
        key.Write(color.name, ColorToText(fields.*color.field));
        (monitor_.Graph().*color.apply)(fields.*color.field);
    }
    // The next request goes out in the version chosen; a poll that changes
    // the counters' width measures from the poll after it.
    key.Write(kSnmpVersion, SnmpVersionText(fields.Version));
    monitor_.State().Version = fields.Version;
    key.Write(kLowAlarmActive, YesNo(fields.Alarms.LowAlarm));
    key.Write(kHighAlarmActive, YesNo(fields.Alarms.HighAlarm));
    // An emptied file edit keeps the stored file.
    if (!fields.Alarms.LowAlarmFile.isEmpty()) {
        key.Write(kLowAlarmFile, fields.Alarms.LowAlarmFile);
    }
    if (!fields.Alarms.HighAlarmFile.isEmpty()) {
        key.Write(kHighAlarmFile, fields.Alarms.HighAlarmFile);
    }
}

void Options::ReadAlarms(SettingsKey& key, TOptionsFields& fields) {
    key.ReadOrWrite(kHighAlarmActive, QStringLiteral("no"));
    key.ReadOrWrite(kLowAlarmActive, QStringLiteral("no"));
    fields.Alarms.LowAlarm = key.Read(kLowAlarmActive) == QStringLiteral("yes");
    fields.Alarms.HighAlarm = key.Read(kHighAlarmActive) == QStringLiteral("yes");
    if (const auto high = key.Read(kHighAlarmFile)) {
        fields.Alarms.HighAlarmFile = *high;
    }
    if (const auto low = key.Read(kLowAlarmFile)) {
        fields.Alarms.LowAlarmFile = *low;
    }
}

void Options::ApplyShow(const QString& show) {
    if (show == QStringLiteral("bytes") || show == QStringLiteral("bits")) {
        monitor_.SetShowBytes(show == QStringLiteral("bytes"));
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

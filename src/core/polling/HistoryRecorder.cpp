#include "core/polling/HistoryRecorder.h"

#include "core/ProgramFolder.h"
#include "core/settings/SettingNames.h"
#include "core/settings/SettingsKey.h"

namespace pulsewell {

namespace {

std::int64_t StoredCount(const SettingsKey& key, const settings::Setting& setting) {
    bool ok = false;
    const std::int64_t value =
        key.Read(setting.name).value_or(setting.defaultText).trimmed().toLongLong(&ok);
    return ok && value > 0 ? value : setting.defaultText.toLongLong();
}

std::optional<std::int64_t> Rate(std::int64_t bytesPerSecond, bool known) {
    return known ? std::optional<std::int64_t>(bytesPerSecond) : std::nullopt;
}

std::uint32_t Flag(bool on, history::Note note) {
    return on ? note : 0U;
}

}  // namespace

HistorySettings StoredHistorySettings() {
    HistorySettings stored;
    try {
        const SettingsKey key;
        stored.recording =
            key.Read(settings::kHistoryRecording.name).value_or(QStringLiteral("yes")) !=
            QStringLiteral("no");
        stored.retention = {StoredCount(key, settings::kHistoryRawHours),
                            StoredCount(key, settings::kHistoryMinuteDays),
                            StoredCount(key, settings::kHistoryHourDays),
                            StoredCount(key, settings::kHistorySweptMinuteDays)};
    } catch (const OperationError&) {
        // A value of the wrong type: the defaults hold.
    }
    return stored;
}

QString HistoryPath() {
    return ProgramFolder() + QString::fromLatin1(history::HistoryStore::kFileName);
}

HistoryRecorder::HistoryRecorder(Report report) : report_(std::move(report)) {}

HistoryRecorder::~HistoryRecorder() = default;

bool HistoryRecorder::Recording() const {
    return StoredHistorySettings().recording;
}

history::HistoryStore* HistoryRecorder::Store() {
    const HistorySettings settings = StoredHistorySettings();
    if (!settings.recording) {
        return nullptr;
    }
    if (!store_) {
        store_ = std::make_unique<history::HistoryStore>(
            HistoryPath().toStdString(), settings.retention,
            [this](const std::string& text) { report_(QString::fromStdString(text)); });
    }
    return store_.get();
}

void HistoryRecorder::Record(const PollMeasurement& m, const QString& host,
                             const QString& interface, const QString& interfaceName) {
    history::HistoryStore* store = Store();
    if (!store) {
        return;
    }
    const TTrafficSample& s = m.sample;
    history::Reading reading;
    reading.timeMs = m.time.toMSecsSinceEpoch();
    reading.device = host.toStdString();
    reading.interfaceIndex = interface.toLongLong();
    reading.interfaceName = interfaceName.toStdString();
    reading.inCounter = s.orgin;
    reading.outCounter = s.orgout;
    reading.inBytes = s.inbyte;
    reading.outBytes = s.outbyte;
    // A side without its own value, or a first poll, is a gap.
    reading.inRate = Rate(s.inbytepers, m.measured && !m.inSubstituted);
    reading.outRate = Rate(s.outbytepers, m.measured && !m.outSubstituted);
    reading.notes =
        Flag(s.inWrapped, history::InWrapped) | Flag(s.outWrapped, history::OutWrapped) |
        Flag(s.inReset, history::InReset) | Flag(s.outReset, history::OutReset) |
        Flag(m.inSubstituted, history::InSubstituted) |
        Flag(m.outSubstituted, history::OutSubstituted) | Flag(!m.measured, history::NotMeasured);
    store->Record(reading);
}

void HistoryRecorder::Record(const history::SweptMinuteRuns& runs) {
    if (history::HistoryStore* store = Store()) {
        store->Record(runs);
    }
}

void HistoryRecorder::MarkAlarm(const QString& host, const QString& interface) {
    if (history::HistoryStore* store = Store()) {
        store->MarkAlarm(host.toStdString(), interface.toLongLong(),
                         history::HistoryStore::SystemClockMs());
    }
}

}  // namespace pulsewell

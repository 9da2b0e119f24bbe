#pragma once

#include <QString>

namespace pulsewell {

// Plays an alarm sound and returns when it has ended. A file that cannot be
// opened or played throws OperationError.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void Play(const QString& path) = 0;
};

// libsndfile decodes the file, ALSA plays it on the named PCM device.
class AlsaSoundPlayer : public SoundPlayer {
public:
    explicit AlsaSoundPlayer(QString device = QStringLiteral("default"));
    void Play(const QString& path) override;

private:
    QString device_;
};

}  // namespace pulsewell

#pragma once

#include <QString>
#include <atomic>

namespace pulsewell {

// Plays an alarm sound and returns when it has ended. A file that cannot be
// opened or played throws OperationError.
class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    virtual void Play(const QString& path) = 0;
    // From another thread: the sound playing now, and any until Rearm(), ends
    // at once and Play returns.
    virtual void Stop() {}
    virtual void Rearm() {}
};

// libsndfile decodes the file, ALSA plays it on the named PCM device.
class AlsaSoundPlayer : public SoundPlayer {
  public:
    explicit AlsaSoundPlayer(QString device = QStringLiteral("default"));
    void Play(const QString& path) override;
    void Stop() override { stopped_ = true; }
    void Rearm() override { stopped_ = false; }

  private:
    QString device_;
    std::atomic<bool> stopped_ = false;
};

}  // namespace pulsewell

#pragma once

#include <QStringList>

#include "core/OperationError.h"
#include "core/device/SoundPlayer.h"

namespace pulsewell::test {

// Remembers what it was asked to play; fails like a broken file on request,
// or passes the file on to a real player.
class RecordingSoundPlayer : public SoundPlayer {
  public:
    void Play(const QString& path) override {
        played.append(path);
        if (fail) {
            throw MediaError(path, QStringLiteral("cannot play"));
        }
        if (alsoPlayOn) {
            alsoPlayOn->Play(path);
        }
    }
    QStringList played;
    bool fail = false;
    SoundPlayer* alsoPlayOn = nullptr;
};

}  // namespace pulsewell::test

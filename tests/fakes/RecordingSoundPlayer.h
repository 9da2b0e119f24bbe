#pragma once

#include <QStringList>

#include "OperationError.h"
#include "SoundPlayer.h"

namespace pulsewell::test {

// Remembers what it was asked to play; fails like a broken file on request.
class RecordingSoundPlayer : public SoundPlayer {
public:
    void Play(const QString& path) override {
        played.append(path);
        if (fail) {
            throw MediaError(path, QStringLiteral("cannot play"));
        }
    }
    QStringList played;
    bool fail = false;
};

}  // namespace pulsewell::test

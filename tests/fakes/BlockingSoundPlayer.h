#pragma once

#include <QString>
#include <condition_variable>
#include <mutex>

#include "core/device/SoundPlayer.h"

namespace pulsewell::test {

// A sound that lasts a minute unless stopped: what no sound device on a test
// machine can be made to play for sure.
class BlockingSoundPlayer : public SoundPlayer {
  public:
    void Play(const QString&) override {
        std::unique_lock lock(mutex_);
        playing_ = true;
        changed_.notify_all();
        changed_.wait_for(lock, std::chrono::minutes(1), [this] { return stopped_; });
        playing_ = false;
    }
    void Stop() override {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }
    void Rearm() override {
        const std::lock_guard lock(mutex_);
        stopped_ = false;
    }
    bool Playing() {
        const std::lock_guard lock(mutex_);
        return playing_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool playing_ = false;
    bool stopped_ = false;
};

}  // namespace pulsewell::test

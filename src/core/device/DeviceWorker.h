#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <exception>
#include <functional>

#include "core/device/DeviceReader.h"
#include "core/device/SoundPlayer.h"

namespace pulsewell {

// Runs the device's exchanges and the alarm sounds one after another, off the
// thread that owns it, so that the window never waits for a device or a sound.
// Each job's result comes back to the owner's thread; a job abandoned
// meanwhile (Stop, Reset, a host change, the end of the program) is called off
// at once and its late results are dropped. The reader and the player are
// used by the jobs only.
class DeviceWorker : public QObject {
    Q_OBJECT
  public:
    enum class Threading {
        // A thread of the worker's own: what the window and pulsewell-cli use.
        OwnThread,
        // Each job runs at once, inside Run(), on the caller's thread: for
        // callers that drive time themselves and read results right after.
        CallerThread,
    };

    // What a running job sees.
    class Job {
      public:
        DeviceReader& Reader() const { return worker_.reader_; }
        SoundPlayer& Player() const { return worker_.player_; }
        // False once the job was abandoned: it should end without another request.
        bool Current() const { return worker_.generation_ == generation_; }
        // Runs update on the owner's thread, in order with the job's other
        // updates and before its end, unless the job was abandoned meanwhile.
        void Post(std::function<void()> update) const;

      private:
        friend class DeviceWorker;
        Job(DeviceWorker& worker, int generation) : worker_(worker), generation_(generation) {}
        DeviceWorker& worker_;
        int generation_;
    };

    using Work = std::function<void(const Job&)>;
    // Gets what the work threw (an OperationError, say), or null.
    using Done = std::function<void(std::exception_ptr)>;

    DeviceWorker(DeviceReader& reader, SoundPlayer& player, Threading threading,
                 QObject* parent = nullptr);
    // Abandons what runs and waits for the thread, which then ends at once.
    ~DeviceWorker() override;

    // Queues the work behind any other; `done` follows on the owner's thread.
    void Run(Work work, Done done);
    // Calls off every job queued or running: waits for replies and a playing
    // sound end at once, and nothing of theirs reaches the owner any more.
    void Abandon();
    // Jobs queued or running that were not abandoned.
    bool Busy() const { return pending_ > 0; }

  signals:
    // Abandon() called off every job: their `done` will not come.
    void Abandoned();

  private:
    void Execute(int generation, const Work& work, const Done& done);

    DeviceReader& reader_;
    SoundPlayer& player_;
    const Threading threading_;
    std::atomic<int> generation_ = 0;
    int pending_ = 0;
    QThread thread_;
    QObject* context_ = nullptr;  // lives on thread_
};

}  // namespace pulsewell

#include "core/device/DeviceWorker.h"

#include "snmp/UsmCrypto.h"

namespace pulsewell {

DeviceWorker::DeviceWorker(DeviceReader& reader, SoundPlayer& player, Threading threading,
                           QObject* parent)
    : QObject(parent), reader_(reader), player_(player), threading_(threading) {
    if (threading_ == Threading::OwnThread) {
        thread_.setObjectName(QStringLiteral("device"));
        context_ = new QObject;
        context_->moveToThread(&thread_);
        connect(&thread_, &QThread::finished, context_, &QObject::deleteLater);
        // Emitted on the ending thread itself.
        connect(&thread_, &QThread::finished, context_, &snmp::ReleaseThreadCrypto,
                Qt::DirectConnection);
        thread_.start();
    }
}

DeviceWorker::~DeviceWorker() {
    Abandon();
    if (threading_ == Threading::OwnThread) {
        thread_.quit();
        thread_.wait();
    }
}

void DeviceWorker::Job::Post(std::function<void()> update) const {
    if (worker_.threading_ == Threading::CallerThread) {
        if (Current()) {
            update();
        }
        return;
    }
    const int generation = generation_;
    DeviceWorker* worker = &worker_;
    QMetaObject::invokeMethod(
        worker,
        [worker, generation, update = std::move(update)] {
            if (worker->generation_ == generation) {
                update();
            }
        },
        Qt::QueuedConnection);
}

void DeviceWorker::Run(Work work, Done done) {
    ++pending_;
    const int generation = generation_;
    if (threading_ == Threading::CallerThread) {
        Execute(generation, work, done);
        return;
    }
    QMetaObject::invokeMethod(
        context_,
        [this, generation, work = std::move(work), done = std::move(done)] {
            Execute(generation, work, done);
        },
        Qt::QueuedConnection);
}

void DeviceWorker::Execute(int generation, const Work& work, const Done& done) {
    // Cleared before the check: an Abandon() after the check raises them again.
    reader_.ResumeExchanges();
    player_.Rearm();
    if (generation_ != generation) {
        return;
    }
    std::exception_ptr error;
    try {
        work(Job(*this, generation));
    } catch (...) {
        error = std::current_exception();
    }
    Job(*this, generation).Post([this, done, error] {
        --pending_;
        done(error);
    });
}

void DeviceWorker::Abandon() {
    ++generation_;
    pending_ = 0;
    reader_.AbandonExchanges();
    player_.Stop();
    emit Abandoned();
}

}  // namespace pulsewell

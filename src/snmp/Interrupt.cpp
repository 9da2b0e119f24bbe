#include "snmp/Interrupt.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <thread>

namespace pulsewell::snmp {

Interrupt::Interrupt() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

Interrupt::~Interrupt() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void Interrupt::Raise() const {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd_, &one, sizeof one);
}

void Interrupt::Clear() const {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t got = ::read(fd_, &count, sizeof count);
}

bool Interrupt::Raised() const {
    pollfd raised{fd_, POLLIN, 0};
    return ::poll(&raised, 1, 0) > 0;
}

void SleepUnlessRaised(const Interrupt* interrupt, int milliseconds) {
    if (interrupt == nullptr || interrupt->Fd() < 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
    pollfd raised{interrupt->Fd(), POLLIN, 0};
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0 || ::poll(&raised, 1, static_cast<int>(left)) >= 0 || errno != EINTR) {
            return;
        }
    }
}

}  // namespace pulsewell::snmp

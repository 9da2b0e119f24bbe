#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/TestAgent.h"

namespace pulsewell::test {

// An interface of the test agent whose two octet counters grow by
// bytesPerSecond from the moment it is made, like a link carrying that much
// each way, with the given ifSpeed; removed again at the end.
class CounterRamp {
  public:
    CounterRamp(int ifIndex, std::int64_t bytesPerSecond, const std::string& ifSpeed)
        : file_(TestAgentStateFolder() + "/ramp" + std::to_string(ifIndex)) {
        Write(1000);
        for (const char* column : {"ifInOctets", "ifOutOctets"}) {
            SetAgentInterfaceValue(ifIndex, column, "live:" + file_);
        }
        SetAgentInterfaceValue(ifIndex, "ifSpeed", ifSpeed);
        thread_ = std::thread([this, bytesPerSecond] {
            using namespace std::chrono;
            for (const auto start = steady_clock::now(); !stop_; std::this_thread::sleep_for(2ms)) {
                const auto ms = duration_cast<milliseconds>(steady_clock::now() - start).count();
                Write(1000 + bytesPerSecond * ms / 1000);
            }
        });
    }
    ~CounterRamp() {
        stop_ = true;
        thread_.join();
        ResetAgentState();
        std::filesystem::remove(file_);
    }

  private:
    // Whole or not at all for the agent's reader.
    void Write(std::int64_t octets) {
        const std::string next = file_ + ".next";
        std::ofstream(next) << octets << '\n';
        std::filesystem::rename(next, file_);
    }

    std::string file_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace pulsewell::test

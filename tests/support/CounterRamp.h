#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "tests/support/TestAgent.h"

namespace pulsewell::test {

// An interface of the test agent whose two octet counters grow by
// bytesPerSecond from the moment it is made, like a link carrying that much
// each way, with the given ifSpeed; removed again at the end. The agent works
// the counters out from its clock when it answers, so they are exact however
// late the test's threads run.
class CounterRamp {
  public:
    CounterRamp(int ifIndex, std::int64_t bytesPerSecond, const std::string& ifSpeed) {
        using namespace std::chrono;
        const auto start =
            duration_cast<microseconds>(system_clock::now().time_since_epoch()).count();
        for (const char* column : {"ifInOctets", "ifOutOctets"}) {
            SetAgentInterfaceValue(
                ifIndex, column,
                "ramp:" + std::to_string(start) + ":" + std::to_string(bytesPerSecond));
        }
        SetAgentInterfaceValue(ifIndex, "ifSpeed", ifSpeed);
    }
    ~CounterRamp() { ResetAgentState(); }
    CounterRamp(const CounterRamp&) = delete;
    CounterRamp& operator=(const CounterRamp&) = delete;
};

}  // namespace pulsewell::test

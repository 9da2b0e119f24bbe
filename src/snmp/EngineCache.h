#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

// What this client knows of each agent's SNMPv3 engine, by host: its engine
// ID, and boots and time as last learnt, carried forward by the local steady
// clock. Shared by every client of the process, so that one-shot reads find
// an engine already discovered.
namespace pulsewell::snmp {

struct TEngineState {
    using Clock = std::chrono::steady_clock;

    std::string EngineID;
    std::int32_t Boots = 0;
    std::int32_t Time = 0;  // the engine's time when Synced was
    Clock::time_point Synced;

    // The engine's time now by the local clock, never beyond 2^31 - 1.
    std::int32_t TimeAt(Clock::time_point now) const;
    // Takes boots and time as the engine says them at now.
    void Sync(std::int32_t boots, std::int32_t time, Clock::time_point now);
};

// "host:port" as given to the client. Thread-safe.
std::optional<TEngineState> FindEngine(const std::string& host);
void StoreEngine(const std::string& host, const TEngineState& state);
void ForgetEngine(const std::string& host);

}  // namespace pulsewell::snmp

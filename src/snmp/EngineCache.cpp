#include "snmp/EngineCache.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace pulsewell::snmp {

namespace {

constexpr std::int64_t kMostTime = 0x7FFFFFFF;

struct Cache {
    std::mutex mutex;
    std::map<std::string, TEngineState> engines;
};

Cache& Shared() {
    static Cache cache;
    return cache;
}

}  // namespace

std::int32_t TEngineState::TimeAt(Clock::time_point now) const {
    const auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(now - Synced).count();
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        static_cast<std::int64_t>(Time) + std::max<std::int64_t>(elapsed, 0), 0, kMostTime));
}

void TEngineState::Sync(std::int32_t boots, std::int32_t time, Clock::time_point now) {
    Boots = boots;
    Time = time;
    Synced = now;
}

std::optional<TEngineState> FindEngine(const std::string& host) {
    Cache& cache = Shared();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    const auto found = cache.engines.find(host);
    if (found == cache.engines.end()) {
        return std::nullopt;
    }
    return found->second;
}

void StoreEngine(const std::string& host, const TEngineState& state) {
    Cache& cache = Shared();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    cache.engines[host] = state;
}

void ForgetEngine(const std::string& host) {
    Cache& cache = Shared();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    cache.engines.erase(host);
}

}  // namespace pulsewell::snmp

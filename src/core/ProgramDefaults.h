#pragma once

#include <QString>

#include "snmp/DefaultCommunity.h"

// What the window, pulsewell-cli and the stored settings start from when
// nobody chose otherwise.
namespace pulsewell::defaults {

inline QString Community() {
    return QString::fromLatin1(snmp::kDefaultCommunity);
}

// The poll intervals offered, in seconds, and the one chosen at first.
inline constexpr int kPollIntervals[] = {1, 3, 6, 15, 30, 60, 120, 300};
inline constexpr int kPollInterval = 6;

// Utilization thresholds in percent: the high alarm and the graph's red above
// the first, the low alarm below the second.
inline constexpr int kHighThreshold = 70;
inline constexpr int kLowThreshold = 20;

}  // namespace pulsewell::defaults

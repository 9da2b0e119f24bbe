#pragma once

#include "SnmpVersion.h"
#include "TrafficGraph.h"

namespace pulsewell {

// What the stored options change on the monitor they apply to.
class OptionsTarget {
public:
    virtual ~OptionsTarget() = default;
    // The unit of the graph, the traffic lines and the logs.
    virtual void SetShowBytes(bool on) = 0;
    virtual void SetContinueWithZeroes(bool on) = 0;
    // The version of the next request.
    virtual void SetSnmpVersion(SnmpVersion version) = 0;
    virtual TrafficGraph& Graph() = 0;
};

}  // namespace pulsewell

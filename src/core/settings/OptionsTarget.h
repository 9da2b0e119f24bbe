#pragma once

#include "core/SnmpV3Security.h"
#include "core/SnmpVersion.h"
#include "core/trafficgraph/TrafficGraph.h"

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
    // Who asks over SNMPv3, passphrases included.
    virtual void SetSnmpSecurity(const SnmpV3Security& security) = 0;
    // Who asks over SNMPv3 now, passphrases included.
    virtual const SnmpV3Security& SnmpSecurity() const = 0;
    virtual TrafficGraph& Graph() = 0;
};

}  // namespace pulsewell

#pragma once

#include "core/MonitorState.h"
#include "core/OperationError.h"
#include "core/trafficgraph/TrafficGraph.h"

namespace pulsewell {

// Applies the stored thresholds to the graph and the stored unit, error
// policy and SNMP version to the monitor state, writing the default of every
// one that is missing (but the version: missing means "1"). A value that
// cannot be read or converted, or that names no SNMP version, security level
// or protocol, is reported (with its name and the file) and skipped, so one bad entry does
// not keep the others from applying. A store that cannot be written (or that
// Qt could not parse in full, which a write would truncate) is reported once
// and left as it is; the defaults then apply without being stored. Without
// storeMissing nothing is written at all.
void LoadStoredSettings(ErrorReporter& reporter, TrafficGraph& graph, TMonitorState& state,
                        bool storeMissing = true);

}  // namespace pulsewell

#pragma once

#include "MonitorState.h"
#include "OperationError.h"
#include "TrafficGraph.h"

namespace pulsewell {

// Applies the stored thresholds to the graph and the stored unit and error
// policy to the monitor state, writing the default of every one that is missing. A value
// that cannot be read or converted is reported and skipped, so one bad entry
// does not keep the others from applying; a store that cannot be written is
// reported once and the load ends there.
void LoadStoredSettings(ErrorReporter& reporter, TrafficGraph& graph, TMonitorState& state);

}  // namespace pulsewell

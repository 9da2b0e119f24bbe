#include "cli/InfoCommand.h"

#include "cli/CliMonitor.h"

namespace pulsewell::cli {

int RunInfo(const DiscoverOptions& options, DeviceReader& reader) {
    CliMonitor cli(reader, options.host, options.community, options.snmpVersion,
                   options.connection);
    Monitor& monitor = cli.monitor();
    cli.Await(&Monitor::DiscoveryEnded, [&] { monitor.FirstContact(); });
    const bool found = !monitor.InterfaceEntries().isEmpty();
    if (found) {
        cli.Await(&Monitor::DeviceInfoGathered, [&] { monitor.GatherDeviceInfo(); });
        for (const QString& line : monitor.DeviceInfoLines()) {
            PrintOut(line);
        }
    }
    return found && cli.ErrorCount() == 0 ? 0 : 1;
}

}  // namespace pulsewell::cli

#include "cli/DiscoverCommand.h"

#include "cli/CliMonitor.h"

namespace pulsewell::cli {

int RunDiscover(const DiscoverOptions& options, DeviceReader& reader) {
    CliMonitor cli(reader, options.host, options.community, options.snmpVersion,
                   options.connection);
    Monitor& monitor = cli.monitor();
    cli.Await(&Monitor::DiscoveryEnded, [&] { monitor.FirstContact(); });
    const bool found = !monitor.InterfaceEntries().isEmpty();
    if (found) {
        for (const QString& line : monitor.Table().ExportLines()) {
            PrintOut(line);
        }
    }
    return found && cli.ErrorCount() == 0 ? 0 : 1;
}

}  // namespace pulsewell::cli

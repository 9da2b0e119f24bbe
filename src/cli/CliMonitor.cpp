#include "cli/CliMonitor.h"

namespace pulsewell::cli {

CliMonitor::CliMonitor(DeviceReader& reader, const QString& host, const QString& community,
                       std::optional<SnmpVersion> version, const ConnectionOptions& connection,
                       Echo echo)
    : echo_(echo),
      view_(echo == Echo::Quiet),
      monitor_(view_, reader, player_, DeviceWorker::Threading::OwnThread) {
    QObject::connect(&monitor_.Messages(), &MessageList::Appended,
                     [this](const QString& line) { PrintLine(line); });
    QObject::connect(&monitor_, &Monitor::StatusChanged,
                     [this](const MonitorStatus& status) { view_.ShowStatus(status); });
    monitor_.KeepHostList(false);
    monitor_.StoreMissingSettings(false);
    monitor_.ResetAll();
    monitor_.SetHost(host);
    monitor_.SetCommunity(community);
    if (version) {
        monitor_.SetSnmpVersion(*version);
    }
    // The command line's user, or the stored one, with the passphrases of this run.
    SnmpV3Security security = connection.security.value_or(monitor_.State().Device.Security);
    security.AuthPassphrase = connection.authPassphrase.value_or(security.AuthPassphrase);
    security.PrivPassphrase = connection.privPassphrase.value_or(security.PrivPassphrase);
    monitor_.SetSnmpSecurity(security);
}

void CliMonitor::PrintLine(const QString& line) const {
    switch (echo_) {
        case Echo::Lines:
            PrintOut(line);
            break;
        case Echo::Aside:
            PrintErr(line);
            break;
        case Echo::Quiet:
            break;
    }
}

}  // namespace pulsewell::cli

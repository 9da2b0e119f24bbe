#include "CliMonitor.h"

namespace pulsewell::cli {

CliMonitor::CliMonitor(DeviceReader& reader, const ConnectionOptions& connection)
    : monitor_(view_, reader, player_, DeviceWorker::Threading::OwnThread) {
    QObject::connect(&monitor_.Messages(), &MessageList::Appended, &PrintOut);
    monitor_.KeepHostList(false);
    monitor_.ResetAll();
    monitor_.SetHost(connection.host);
    monitor_.SetCommunity(connection.community);
    if (connection.snmpVersion) {
        monitor_.SetSnmpVersion(*connection.snmpVersion);
    }
    // The command line's user, or the stored one, with the passphrases of this run.
    SnmpV3Security security = connection.security.value_or(monitor_.State().Security);
    security.AuthPassphrase = connection.authPassphrase.value_or(security.AuthPassphrase);
    security.PrivPassphrase = connection.privPassphrase.value_or(security.PrivPassphrase);
    monitor_.SetSnmpSecurity(security);
}

}  // namespace pulsewell::cli

#include "CliMonitor.h"

namespace pulsewell::cli {

CliMonitor::CliMonitor(DeviceReader& reader, const QString& host, const QString& community,
                       std::optional<SnmpVersion> version)
    : monitor_(view_, reader, player_, DeviceWorker::Threading::OwnThread) {
    QObject::connect(&monitor_.Messages(), &MessageList::Appended, &PrintOut);
    monitor_.KeepHostList(false);
    monitor_.ResetAll();
    monitor_.SetHost(host);
    monitor_.SetCommunity(community);
    if (version) {
        monitor_.SetSnmpVersion(*version);
    }
}

}  // namespace pulsewell::cli

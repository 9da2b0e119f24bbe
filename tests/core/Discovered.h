#pragma once

#include "core/Monitor.h"
#include "core/device/SnmpDeviceReader.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"

namespace pulsewell::test {

// What one discovery shows (every cell, the list, the count and the errors),
// and the requests the query component sent for it.
struct Discovered {
    QStringList shown;
    QStringList interfaces;
    QStringList errors;
    int requests = 0;
};
struct DiscoveryWay {
    int width = 16;
    SnmpVersion version = SnmpVersion::V1;
    bool bulk = true;
    SnmpV3Security security = {};
};

// One "&First contact" with a fresh monitor and reader, unthrottled.
inline Discovered Discover(const QString& host, const QString& community, const DiscoveryWay& way) {
    RecordingView view;
    RecordingSoundPlayer player;
    SnmpDeviceReader reader;
    reader.QueryComponent().SetThrottle(0);  // the values are the same, only sooner
    reader.QueryComponent().SetWidth(way.width);
    reader.QueryComponent().SetBulkWalks(way.bulk);
    Monitor monitor(view, reader, player);
    monitor.ResetAll();
    monitor.SetHost(host);
    monitor.SetCommunity(community);
    monitor.SetSnmpVersion(way.version);
    monitor.SetSnmpSecurity(way.security);
    monitor.FirstContact();
    Discovered discovered{monitor.Table().ExportLines() + monitor.Status().interfaces + view.errors,
                          monitor.InterfaceEntries(), view.errors,
                          reader.QueryComponent().Client().Query.ID - 1};
    discovered.shown.append(monitor.InterfaceCount());
    return discovered;
}

}  // namespace pulsewell::test

#pragma once

#include "Monitor.h"
#include "RecordingSoundPlayer.h"
#include "RecordingView.h"
#include "SnmpDeviceReader.h"

namespace pulsewell::test {

// What one discovery shows: every cell, the interface list, the count and
// the errors; and how many requests the query component sent for it.
struct Discovered {
    QStringList cells;
    QStringList interfaces;
    QString count;
    QStringList errors;
    int requests = 0;
};

struct DiscoveryWay {
    int width = 16;
    SnmpVersion version = SnmpVersion::V1;
    bool bulk = true;
    SnmpV3Security security = {};
};

// One "&First contact" of host with a fresh monitor and reader, unthrottled.
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
    Discovered discovered{{},
                          view.interfaces,
                          monitor.InterfaceCount(),
                          view.errors,
                          reader.QueryComponent().Client().Query.ID - 1};
    for (int row = 0; row < monitor.Table().RowCount(); ++row) {
        for (int column = 0; column < InterfaceTable::kColumns; ++column) {
            discovered.cells.append(monitor.Table().Cell(column, row));
        }
    }
    return discovered;
}

}  // namespace pulsewell::test

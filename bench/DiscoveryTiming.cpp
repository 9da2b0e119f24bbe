// Times one "&First contact" against an agent and sets it beside the same
// requests sent one by one:
//   bench/discovery-timing.sh [INTERFACES]     (starts and seeds the agent)
//   build/bench/discovery_timing HOST [COMMUNITY]
// Discovery goes through the program's own SNMP reader. Afterwards every
// request it made is sent again on its own (the queries through a query
// component without the request-rate throttle) and timed; their mean is the
// round trip that discovery's time is compared with.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <cstdio>

#include "Monitor.h"
#include "OneShot.h"
#include "SnmpDeviceReader.h"
#include "SnmpSynapse.h"

namespace {

using namespace pulsewell;

struct Request {
    enum Kind { Get, Next, Query } kind;
    QString oid;
};

// The program's reader, with a record of what it was asked.
class RecordingReader : public DeviceReader {
public:
    bool ReadOneValue(const QString& oid, const QString& community, const QString& host,
                      QString& value) override {
        requests.append({Request::Get, oid});
        return reader_.ReadOneValue(oid, community, host, value);
    }
    bool ReadNextValue(QString& oid, const QString& community, const QString& host,
                       QString& value) override {
        requests.append({Request::Next, oid});
        return reader_.ReadNextValue(oid, community, host, value);
    }
    void SetQueryTarget(const QString& community, const QString& host) override {
        reader_.SetQueryTarget(community, host);
    }
    QString QueryValue(const QString& oid) override {
        requests.append({Request::Query, oid});
        return reader_.QueryValue(oid);
    }

    QList<Request> requests;

private:
    SnmpDeviceReader reader_;
};

class QuietView : public MonitorView {
public:
    void ShowError(const QString& message) override { errors.append(message); }
    void SetStatusText(int panel, const QString& text) override {
        if (panel == kStatusPanel && !text.isEmpty()) {
            errors.append(text);
        }
    }
    void SetCommandEnabled(MonitorCommand, bool) override {}
    void ShowMessageBox(const QString&, const QString&) override {}
    void ShowCompactLayout() override {}
    void ShowHosts(const QStringList&, int) override {}
    void ShowBandwidth(const QString&) override {}
    void ShowInterfaceList(const QStringList&, int, bool) override {}
    void ShowTotals(std::int64_t, std::int64_t, std::int64_t) override {}
    void SetCommunityReadOnly(bool) override {}
    void ShowInterval(int) override {}
    void ShowLogSwitches(bool, bool, bool) override {}
    TAlarmSettings CurrentAlarmSettings() const override { return {}; }

    QStringList errors;
};

class SilentPlayer : public SoundPlayer {
public:
    void Play(const QString&) override {}
};

// Seconds for every request sent again on its own, in the same order.
double Replay(const QList<Request>& requests, const std::string& community,
              const std::string& host) {
    snmp::TSNMPSynapse synapse;
    synapse.SetThrottle(0);
    synapse.SetCommunity(community);
    synapse.SetHost(host);
    QElapsedTimer clock;
    clock.start();
    std::string value;
    for (const Request& request : requests) {
        std::string oid = request.oid.toStdString();
        switch (request.kind) {
            case Request::Get:
                snmp::ReadOneValue(oid, community, host, value);
                break;
            case Request::Next:
                snmp::ReadNextValue(oid, community, host, value);
                break;
            case Request::Query:
                synapse.QueryValue(oid);
                break;
        }
    }
    return clock.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s HOST [COMMUNITY]\n", argv[0]);
        return 2;
    }
    const QString host = QString::fromLocal8Bit(argv[1]);
    const QString community = QString::fromLocal8Bit(argc > 2 ? argv[2] : "public");

    QuietView view;
    RecordingReader reader;
    SilentPlayer player;
    Monitor monitor(view, reader, player);
    monitor.ResetAll();
    monitor.SetHost(host);
    monitor.SetCommunity(community);

    QElapsedTimer clock;
    clock.start();
    monitor.FirstContact();
    const double discovery = clock.nsecsElapsed() / 1e9;

    QTextStream out(stdout);
    if (!view.errors.isEmpty()) {
        out << "discovery failed: " << view.errors.join("; ") << "\n";
        return 1;
    }
    int counts[3] = {0, 0, 0};
    for (const Request& request : reader.requests) {
        ++counts[request.kind];
    }
    const qsizetype n = reader.requests.size();
    const double replay = Replay(reader.requests, community.toStdString(), host.toStdString());
    const double roundTrip = replay / n;
    out << "interfaces found:     " << monitor.InterfaceEntries().size() << "\n"
        << "requests:             " << n << " (get " << counts[Request::Get] << ", get-next "
        << counts[Request::Next] << ", queries " << counts[Request::Query] << ")\n"
        << "discovery:            " << QString::number(discovery, 'f', 2) << " s\n"
        << "same requests singly: " << QString::number(replay, 'f', 2) << " s, mean round trip "
        << QString::number(roundTrip * 1000, 'f', 2) << " ms\n"
        << "discovery / (requests x round trip): " << QString::number(discovery / replay, 'f', 3)
        << "\n";
    return 0;
}

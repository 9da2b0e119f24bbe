// Times "&First contact" against an agent and sets it beside the same
// requests sent one by one:
//   bench/discovery-timing.sh [INTERFACES]     (starts and seeds the agent)
//   build/bench/discovery_timing HOST [COMMUNITY] [ROUNDS]
// Discovery goes through the program's own SNMP reader, once with the query
// component's request-rate throttle as the window sets it (20 per second),
// then in ROUNDS rounds without it, each followed by every request it made
// sent again on its own: the round's ratio of the two times is discovery's
// time over (requests x mean round trip). Alternating rounds and their median
// hold up on a busy machine better than one long run.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "cli/CliMonitor.h"
#include "core/Monitor.h"
#include "core/device/SnmpDeviceReader.h"
#include "snmp/OneShot.h"
#include "snmp/SnmpSynapse.h"

namespace {

using namespace pulsewell;

struct Request {
    enum Kind { Get, Next, Query, Queries } kind;
    QStringList oids;
};

// The program's reader, with a record of what it was asked.
class RecordingReader : public DeviceReader {
  public:
    std::optional<QString> ReadOneValue(const QString& oid, const QString& community,
                                        const QString& host) override {
        requests.append({Request::Get, {oid}});
        return reader_.ReadOneValue(oid, community, host);
    }
    bool ReadNextValue(QString& oid, const QString& community, const QString& host,
                       QString& value) override {
        requests.append({Request::Next, {oid}});
        return reader_.ReadNextValue(oid, community, host, value);
    }
    void SetQueryTarget(const QString& community, const QString& host) override {
        reader_.SetQueryTarget(community, host);
    }
    void SetThrottle(int perSecond) { reader_.QueryComponent().SetThrottle(perSecond); }
    std::optional<QString> QueryValue(const QString& oid) override {
        requests.append({Request::Query, {oid}});
        return reader_.QueryValue(oid);
    }
    QList<std::optional<QString>> QueryValues(const QStringList& oids) override {
        requests.append({Request::Queries, oids});
        return reader_.QueryValues(oids);
    }
    int QueryWidth() const override { return reader_.QueryWidth(); }
    void SetSnmpVersion(SnmpVersion version) override { reader_.SetSnmpVersion(version); }
    void SetSecurity(const SnmpV3Security& security) override { reader_.SetSecurity(security); }
    std::optional<QString> LastFailureCause() const override { return reader_.LastFailureCause(); }
    void AbandonExchanges() override { reader_.AbandonExchanges(); }
    void ResumeExchanges() override { reader_.ResumeExchanges(); }

    QList<Request> requests;

  private:
    SnmpDeviceReader reader_;
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
        std::string oid = request.oids.first().toStdString();
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
            case Request::Queries: {
                std::vector<std::string> oids;
                for (const QString& each : request.oids) {
                    oids.push_back(each.toStdString());
                }
                synapse.QueryValues(oids);
                break;
            }
        }
    }
    return clock.nsecsElapsed() / 1e9;
}

struct Run {
    double seconds = 0;
    QList<Request> requests;
    int errors = 0;  // shown on standard error as they happen
    qsizetype interfaces = 0;
};

Run Discover(const QString& host, const QString& community, int throttle) {
    RecordingReader reader;
    reader.SetThrottle(throttle);
    cli::CliMonitor cli(reader, host, community, std::nullopt);
    QElapsedTimer clock;
    clock.start();
    cli.Await(&Monitor::DiscoveryEnded, [&] { cli.monitor().FirstContact(); });
    return {clock.nsecsElapsed() / 1e9, reader.requests, cli.ErrorCount(),
            cli.monitor().InterfaceEntries().size()};
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s HOST [COMMUNITY] [ROUNDS]\n", argv[0]);
        return 2;
    }
    const QString host = QString::fromLocal8Bit(argv[1]);
    const QString community = QString::fromLocal8Bit(argc > 2 ? argv[2] : "public");
    const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::string hostBytes = host.toStdString();
    const std::string communityBytes = community.toStdString();

    QTextStream out(stdout);
    const auto seconds = [](double s) { return QString::number(s, 'f', 2) + " s"; };
    const auto failed = [&](const Run& run) {
        const bool failed = run.errors > 0 || run.interfaces == 0;
        if (failed) {
            out << "discovery failed (see the status and error lines)\n";
        }
        return failed;
    };

    const Run throttled = Discover(host, community, 20);
    if (failed(throttled)) {
        return 1;
    }
    int counts[4] = {0, 0, 0, 0};
    for (const Request& request : throttled.requests) {
        ++counts[request.kind];
    }
    const qsizetype n = throttled.requests.size();
    out << "interfaces found: " << throttled.interfaces << "\n"
        << "requests:         " << n << " (get " << counts[Request::Get] << ", get-next "
        << counts[Request::Next] << ", queries " << counts[Request::Query]
        << ", queries of several " << counts[Request::Queries] << ")\n"
        << "discovery with throttle 20/s (as the window): " << seconds(throttled.seconds) << "\n";
    out.flush();

    // The order within a round alternates, so that neither side always
    // meets the agent warmed up by the other.
    std::vector<double> ratios;
    for (int round = 1; round <= rounds; ++round) {
        double replay = 0;
        if (round % 2 == 0) {
            replay = Replay(throttled.requests, communityBytes, hostBytes);
        }
        const Run run = Discover(host, community, 0);
        if (failed(run)) {
            return 1;
        }
        if (round % 2 == 1) {
            replay = Replay(throttled.requests, communityBytes, hostBytes);
        }
        ratios.push_back(run.seconds / replay);
        out << "round " << round << ": discovery without throttle " << seconds(run.seconds)
            << ", same " << n << " requests singly " << seconds(replay) << " (mean round trip "
            << QString::number(replay / n * 1000, 'f', 2) << " ms), ratio "
            << QString::number(ratios.back(), 'f', 3) << "\n";
        out.flush();
    }
    std::sort(ratios.begin(), ratios.end());
    out << "median ratio discovery / (requests x round trip): "
        << QString::number(ratios[ratios.size() / 2], 'f', 3) << "\n";
    return 0;
}

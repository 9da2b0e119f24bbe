#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/Monitor.h"
#include "core/device/SnmpDeviceReader.h"
#include "snmp/Ber.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/snmp/FakeAgent.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

using snmp::TSNMPMib;
using Datagrams = std::vector<test::FakeAgent::Datagram>;

std::vector<unsigned long> Numbers(const std::string& oid) {
    std::vector<unsigned long> numbers;
    std::size_t start = 0;
    while (start < oid.size()) {
        const std::size_t dot = std::min(oid.find('.', start), oid.size());
        numbers.push_back(std::stoul(oid.substr(start, dot - start)));
        start = dot + 1;
    }
    return numbers;
}

std::string Column(int column, int index) {
    return "1.3.6.1.2.1.2.2.1." + std::to_string(column) + "." + std::to_string(index);
}

// An agent over a fixed set of objects, with the faults a request of
// several objects meets: noSuchName naming the first object it lacks, tooBig
// above `mostBindings` objects, and no answer to a request naming a `silent`
// object; GetBulk replies bent as `bulk` says.
struct Device {
    enum class Bulk { Right, Back, Out, OneBinding, FirstObjectOnly };
    std::vector<TSNMPMib> objects;  // in identifier order
    std::size_t mostBindings = 1000;
    std::set<std::string> silent = {};
    Bulk bulk = Bulk::Right;

    void Add(const std::string& oid, const std::string& value, int type) {
        objects.push_back({oid, value, type});
        std::sort(objects.begin(), objects.end(), [](const TSNMPMib& a, const TSNMPMib& b) {
            return Numbers(a.ObjectId) < Numbers(b.ObjectId);
        });
    }
    void Remove(const std::string& oid) {
        std::erase_if(objects, [&](const TSNMPMib& mib) { return mib.ObjectId == oid; });
    }

    Datagrams Answer(const snmp::TSNMPRec& request) const {
        const std::vector<TSNMPMib> asked(request.Bindings().begin(), request.Bindings().end());
        for (const TSNMPMib& mib : asked) {
            if (silent.count(mib.ObjectId) != 0) {
                return {};
            }
        }
        if (asked.size() > mostBindings) {
            return {{test::ResponseTo(request, asked, 1, 0)}};
        }
        if (request.PDUType == snmp::pdu::GetBulkRequest) {  // max-repetitions in the error index
            return {{test::ResponseTo(request, BulkReply(asked, request.ErrorIndex))}};
        }
        std::vector<TSNMPMib> values;
        for (std::size_t i = 0; i < asked.size(); ++i) {
            const auto numbers = Numbers(asked[i].ObjectId);
            const auto found = std::find_if(objects.begin(), objects.end(), [&](const TSNMPMib& o) {
                return request.PDUType == snmp::pdu::GetNextRequest
                           ? Numbers(o.ObjectId) > numbers
                           : o.ObjectId == asked[i].ObjectId;
            });
            if (found == objects.end()) {
                return {{test::ResponseTo(request, asked, 2, static_cast<int>(i) + 1)}};
            }
            values.push_back(*found);
        }
        return {{test::ResponseTo(request, values)}};
    }

    // The second binding goes back or out of the table, or only one binding comes.
    std::vector<TSNMPMib> BulkReply(std::vector<TSNMPMib> at, int repetitions) const {
        std::vector<TSNMPMib> reply;
        for (int r = 0; r < repetitions && reply.size() < 500; ++r) {
            for (TSNMPMib& mib : at) {
                const auto next = std::find_if(
                    objects.begin(), objects.end(),
                    [&](const TSNMPMib& o) { return Numbers(o.ObjectId) > Numbers(mib.ObjectId); });
                mib = next == objects.end() ? TSNMPMib{mib.ObjectId, "", snmp::ber::EndOfMibView}
                                            : *next;
                reply.push_back(mib);
            }
        }
        if (bulk == Bulk::OneBinding || (bulk == Bulk::FirstObjectOnly && at.size() > 1)) {
            reply.resize(1);
        } else if ((bulk == Bulk::Back || bulk == Bulk::Out) && reply.size() > 1) {
            reply[1] = bulk == Bulk::Back ? reply[0]
                                          : TSNMPMib{"1.3.6.1.2.1.4.1.0", "2", snmp::ber::Integer};
        }
        return reply;
    }
};

// Interfaces 1, 2 and 10, without the duplex object.
Device ThreeInterfaces() {
    Device device;
    device.Add("1.3.6.1.2.1.1.3.0", "4200", snmp::ber::TimeTicks);
    device.Add("1.3.6.1.2.1.2.1.0", "3", snmp::ber::Integer);
    for (const int i : {1, 2, 10}) {
        device.Add(Column(1, i), std::to_string(i), snmp::ber::Integer);
        device.Add(Column(2, i), " port " + std::to_string(i) + "\r\n", snmp::ber::OctetString);
        device.Add(Column(3, i), i == 1 ? "24" : "6", snmp::ber::Integer);
        device.Add(Column(4, i), "1500", snmp::ber::Integer);
        device.Add(Column(5, i), "-1", snmp::ber::Gauge);
        device.Add(Column(6, i), i == 1 ? "" : std::string("\x00\x1a\x2b\x00\x00", 5) + char(i),
                   snmp::ber::OctetString);
        device.Add(Column(7, i), "1", snmp::ber::Integer);
        device.Add(Column(8, i), i == 2 ? "2" : "1", snmp::ber::Integer);
    }
    device.Add("1.3.6.1.6.3.1.1.4.1.0", "1.3.6.1.6.3.1.1.5.1", snmp::ber::ObjectId);
    return device;
}

struct Discovered {
    QStringList cells;
    QStringList errors;
    int requests = 0;
};

Discovered Discover(const Device& device, int width, SnmpVersion version = SnmpVersion::V1,
                    bool bulk = true) {
    test::FakeAgent agent(
        [&](const snmp::TSNMPRec& request, int) { return device.Answer(request); });
    test::TempHome home;
    test::RecordingView view;
    test::RecordingSoundPlayer player;
    SnmpDeviceReader reader;
    reader.QueryComponent().SetThrottle(0);
    // Long enough for a busy machine where no silence is meant.
    reader.QueryComponent().SetTimeout(device.silent.empty() ? 10000 : 200);
    reader.QueryComponent().SetWidth(width);
    reader.QueryComponent().SetBulkWalks(bulk);
    Monitor monitor(view, reader, player);
    monitor.ResetAll();
    monitor.SetHost(QString::fromStdString(agent.Address()));
    monitor.SetSnmpVersion(version);
    monitor.FirstContact();
    Discovered discovered{{}, view.errors, agent.RequestCount()};
    for (int row = 1; row < monitor.Table().RowCount(); ++row) {
        for (int column = 0; column < InterfaceTable::kColumns; ++column) {
            discovered.cells.append(monitor.Table().Cell(column, row));
        }
    }
    return discovered;
}

// The faults a request of several objects meets give the cells and errors of
// one object per request, in fewer requests while the device answers.
TEST(DiscoveryAgainstFakeAgent, FaultsGiveTheTableOfOneObjectPerRequest) {
    struct Case {
        const char* name;
        Device device;
        int cell;  // row-major index of a cell that shows the fault, counted from row 1
        QString text;
    };
    std::vector<Case> cases;
    cases.push_back({"no duplex object: noSuchName", ThreeInterfaces(), 3, "unknown"});
    {
        Device device = ThreeInterfaces();
        device.Add("1.3.6.1.4.1.52.4.1.2.4.2.3.1.1.6.2.1", "3", snmp::ber::Integer);
        cases.push_back({"the duplex object on one interface", device, 9 + 3, "full"});
    }
    {
        Device device = ThreeInterfaces();
        device.mostBindings = 5;
        cases.push_back(
            {"replies of more than five objects too big", device, 9 + 4, "00 1A 2B 00 00 02 "});
    }
    {
        Device device = ThreeInterfaces();
        device.Remove(Column(5, 2));
        cases.push_back({"an interface without a speed", device, 9 + 1, "port 2"});
    }
    {
        Device device = ThreeInterfaces();
        device.silent = {Column(4, 2)};
        cases.push_back({"no answer for the MTU of a row", device, 9 + 5, "Failure"});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Discovered alone = Discover(c.device, 1);
        const Discovered together = Discover(c.device, SnmpDeviceReader().QueryWidth());
        ASSERT_EQ(alone.cells.size(), 3 * InterfaceTable::kColumns);
        EXPECT_EQ(alone.cells[c.cell], c.text);
        EXPECT_EQ(together.cells, alone.cells);
        EXPECT_EQ(together.errors, alone.errors);
        if (c.device.silent.empty()) {  // else every object of the silent request is asked again
            EXPECT_LT(together.requests, alone.requests);
        }
    }
}

// GetBulk replies with a binding out of place or only one binding give the
// table of GetNext and Get in at most one request more: a walk goes on by
// GetNext after a bad binding, and by GetNext and Get once its GetBulk
// replies bring fewer rows than GetNext would.
TEST(DiscoveryAgainstFakeAgent, BentGetBulkRepliesGiveTheTableOfGetNext) {
    Device device = ThreeInterfaces();
    const Discovered next = Discover(device, 16, SnmpVersion::V2c, false);
    ASSERT_EQ(next.cells.size(), 3 * InterfaceTable::kColumns);
    using B = Device::Bulk;
    for (const B bent : {B::Back, B::Out, B::OneBinding, B::FirstObjectOnly}) {
        device.bulk = bent;
        const Discovered bulk = Discover(device, 16, SnmpVersion::V2c, true);
        EXPECT_EQ(bulk.cells, next.cells) << static_cast<int>(bent);
        EXPECT_LE(bulk.requests, next.requests + 1) << static_cast<int>(bent);
    }
}

}  // namespace
}  // namespace pulsewell

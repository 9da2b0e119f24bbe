#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <functional>

#include "core/polling/HistoryRecorder.h"
#include "tests/support/CliCommand.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

using Record = std::map<QString, QString>;

// A CSV record by its header; no field of these holds a comma.
Record ParseCsv(const QString& header, const QString& line) {
    Record record;
    const QStringList names = header.split(u',');
    const QStringList fields = line.split(u',');
    EXPECT_EQ(names.size(), fields.size()) << line.toStdString();
    for (qsizetype i = 0; i < names.size(); ++i) {
        record[names[i]] = fields.value(i);
    }
    return record;
}

void Write(int index, const std::string& column, std::int64_t value) {
    test::SetAgentInterfaceValue(index, column, std::to_string(value));
}

// An interface of the agent with every column top reads.
void MakeInterface(int index, const std::string& name, bool wide, std::int64_t in) {
    for (const auto& [column, value] :
         std::map<std::string, std::string>{{"ifDescr", "port " + name},
                                            {"ifName", name},
                                            {"ifAlias", "uplink " + name},
                                            {"ifSpeed", "8000"},
                                            {"ifAdminStatus", "1"},
                                            {"ifOperStatus", "1"},
                                            {"ifLastChange", "100"},
                                            {"ifOutOctets", "2000"},
                                            {"ifInErrors", "7"},
                                            {"ifOutErrors", "0"},
                                            {"ifInDiscards", "0"},
                                            {"ifOutDiscards", "3"}}) {
        test::SetAgentInterfaceValue(index, column, value);
    }
    Write(index, "ifInOctets", in % 4294967296);
    if (wide) {
        Write(index, "ifHCInOctets", in);
        test::SetAgentInterfaceValue(index, "ifHCOutOctets", "2000");
    }
}

class CliTop : public test::CliCommand {
  protected:
    CliTop() {
        test::ResetAgentState();
        // The default interfaces with every column, so that no request of
        // several objects meets one the agent lacks.
        for (const int index : {1, 2}) {
            for (const char* column :
                 {"ifInErrors", "ifOutErrors", "ifInDiscards", "ifOutDiscards"}) {
                test::SetAgentInterfaceValue(index, column, "0");
            }
        }
    }
    ~CliTop() override { test::ResetAgentState(); }

    // Reads the records of one sweep (those of its last line's time) and
    // its events from standard error.
    std::map<int, Record> NextSweep(const QString& header, int rows) {
        std::map<int, Record> sweep;
        while (static_cast<int>(sweep.size()) < rows) {
            // A sweep over SNMPv1 that meets a renumbered table asks again
            // object by object, and the agent's script answers slowly.
            while (!process.canReadLine()) {
                if (!process.waitForReadyRead(30000)) {
                    ADD_FAILURE() << "no line from pulsewell-cli";
                    return sweep;
                }
            }
            const Record record = ParseCsv(header, QString::fromUtf8(process.readLine()).trimmed());
            sweep[record.at("interface").toInt()] = record;
        }
        return sweep;
    }
};

// What the test does to the agent's interfaces after each sweep, and what
// the next sweep must show of them.
struct Step {
    std::function<void(std::int64_t start)> change;
    std::function<void(const std::map<int, Record>& sweep, const QString& events)> check;
};

void ExpectRates(const Record& r, std::int64_t inOctets, std::int64_t outOctets, double inErrors,
                 int intervalSeconds) {
    EXPECT_EQ(r.at("state"), "measured");
    EXPECT_EQ(r.at("in_bytes"), QString::number(inOctets));
    EXPECT_EQ(r.at("out_bytes"), QString::number(outOctets));
    const double seconds = r.at("in_bytes").toDouble() / r.at("in_bytes_per_s").toDouble();
    // The time between the answers: a sweep that read its names first took
    // its counters late, so the next sweep's come sooner.
    EXPECT_GT(seconds, 0.2 * intervalSeconds);
    EXPECT_LT(seconds, 2.0 * intervalSeconds);
    EXPECT_NEAR(r.at("in_bits_per_s").toDouble(), 8 * r.at("in_bytes_per_s").toDouble(), 4.0);
    // Errors over the same time as the octets: the rate is theirs.
    EXPECT_NEAR(r.at("in_errors_per_s").toDouble(), inErrors / seconds, 0.011);
    EXPECT_EQ(r.at("out_discards_per_s"), "0.00");
    EXPECT_NEAR(r.at("in_utilization_percent").toDouble(),
                r.at("in_bits_per_s").toDouble() * 100 / 8000, 0.006);
}

// Four sweeps against the agent: exact octets (a 32-bit wrap included),
// errors per second, a link that goes down and comes back, an interface that
// moves to another index, one that leaves and one that arrives.
TEST_F(CliTop, SweepsFollowTheAgentsInterfaces) {
    struct Case {
        const char* version;
        bool wide;
        std::int64_t start;
        const char* note;
    };
    const Case cases[] = {
        {"1", false, 4294966000, "in-wrap"},  // wraps on the first step
        {"2c", true, 1099511627776, ""},
    };
    constexpr int kInterval = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        MakeInterface(12, "ge-0/0/12", c.wide, c.start);
        MakeInterface(13, "ge-0/0/13", c.wide, 500);
        MakeInterface(15, "ge-0/0/15", c.wide, 500);
        test::SetAgentInterfaceValue(2, "ifSpeed", "8000");
        const std::string state = test::TestAgentStateFolder() + "/if/";
        const std::vector<Step> steps = {
            {[&](std::int64_t) {},
             [&](const std::map<int, Record>& sweep, const QString&) {
                 ASSERT_EQ(sweep.size(), 3u);
                 EXPECT_EQ(sweep.at(12).at("state"), "first reading");
                 EXPECT_EQ(sweep.at(12).at("name"), "ge-0/0/12");
                 EXPECT_EQ(sweep.at(12).at("alias"), "uplink ge-0/0/12");
                 EXPECT_EQ(sweep.at(12).at("in_bytes_per_s"), "");
             }},
            {[&](std::int64_t start) {
                 const std::int64_t in = start + 7000;
                 Write(12, c.wide ? "ifHCInOctets" : "ifInOctets", c.wide ? in : in % 4294967296);
                 Write(12, c.wide ? "ifHCOutOctets" : "ifOutOctets", 9000);
                 Write(12, "ifInErrors", 17);
                 Write(2, "ifInOctets", 3000005000);  // busy, but not shown
             },
             [&](const std::map<int, Record>& sweep, const QString& events) {
                 ExpectRates(sweep.at(12), 7000, 7000, 10, kInterval);
                 EXPECT_EQ(sweep.at(12).at("note"), c.note);
                 EXPECT_EQ(sweep.at(13).at("in_bytes"), "0");
                 // 7000 bytes at 8000 bit/s: above the high threshold unless the
                 // sweeps lay more than 10 s apart, as they may on a busy machine.
                 EXPECT_TRUE(events.contains("Utilization high: ge-0/0/12 (ifIndex 12)"))
                     << events.toStdString();
                 EXPECT_FALSE(events.contains("eth0")) << events.toStdString();
             }},
            {[&](std::int64_t) {
                 Write(12, "ifOperStatus", 2);
                 Write(12, "ifLastChange", 900);
                 QDir().rename(QString::fromStdString(state + "13"),
                               QString::fromStdString(state + "14"));
             },
             [&](const std::map<int, Record>& sweep, const QString& events) {
                 EXPECT_EQ(sweep.at(12).at("status"), "down");
                 EXPECT_EQ(sweep.at(12).at("in_bytes"), "0");
                 EXPECT_TRUE(events.contains("Link down: ge-0/0/12 (ifIndex 12)"))
                     << events.toStdString();
                 EXPECT_FALSE(events.contains("Utilization high")) << events.toStdString();
                 ASSERT_EQ(sweep.count(14), 1u);
                 EXPECT_EQ(sweep.at(14).at("name"), "ge-0/0/13");
                 EXPECT_EQ(sweep.at(14).at("state"), "renumbered");
                 EXPECT_EQ(sweep.at(14).at("in_bytes"), "");
             }},
            {[&](std::int64_t) {
                 Write(12, "ifOperStatus", 1);
                 QDir(QString::fromStdString(state + "15")).removeRecursively();
                 MakeInterface(16, "ge-0/0/16", c.wide, 500);
             },
             [&](const std::map<int, Record>& sweep, const QString& events) {
                 EXPECT_TRUE(events.contains("Link up: ge-0/0/12 (ifIndex 12)"))
                     << events.toStdString();
                 EXPECT_EQ(sweep.at(14).at("state"), "measured");
                 EXPECT_EQ(sweep.at(15).at("state"), "vanished");
                 EXPECT_EQ(sweep.at(16).at("state"), "appeared");
             }},
        };
        // The history of this run alone: the case before kept the same names.
        for (const char* suffix : {"", "-wal", "-shm"}) {
            QFile::remove(HistoryPath() + QString::fromLatin1(suffix));
        }
        const QString from = QDateTime::currentDateTimeUtc().addSecs(-60).toString(Qt::ISODate);
        Launch("top",
               {"--host", QString::fromStdString(test::TestAgentAddress()), "--community", "public",
                "--snmp-version", c.version, "--interval", QString::number(kInterval), "--count",
                "4", "--format", "csv", "--interfaces", "ge-*"});
        WaitForStdoutLine();
        const QString header = QString::fromUtf8(process.readLine()).trimmed();
        const std::size_t rows[] = {3, 3, 3, 4};
        std::vector<std::map<int, Record>> sweeps;
        for (std::size_t i = 0; i < steps.size() && !HasFatalFailure(); ++i) {
            SCOPED_TRACE(i + 1);
            steps[i].change(c.start);
            sweeps.push_back(NextSweep(header, static_cast<int>(rows[i])));
            ASSERT_EQ(sweeps.back().size(), rows[i]);
            const QString events = QString::fromUtf8(process.readAllStandardError());
            steps[i].check(sweeps.back(), events);
        }
        EXPECT_EQ(Finish(), 0);
        // The history keeps each interface's minutes under its name, the
        // renumbered one's too, the one top's end cut short included: every
        // byte top showed, from every sweep that measured it.
        const std::pair<QString, std::vector<int>> followed[] = {{"ge-0/0/12", {12, 12, 12, 12}},
                                                                 {"ge-0/0/13", {13, 13, 14, 14}}};
        for (const auto& [name, indexes] : followed) {
            Launch("history",
                   {"--host", QString::fromStdString(test::TestAgentAddress()), "--interface", name,
                    "--from", from, "--step", "1m", "--format", "csv"});
            ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
            std::map<QString, std::int64_t> stored, shown;
            for (qsizetype i = 1; i < out.size(); ++i) {
                const Record minute = ParseCsv(out[0], out[i]);
                for (const char* column : {"in_bytes", "out_bytes", "samples"}) {
                    stored[column] += minute.at(column).toLongLong();
                }
            }
            for (std::size_t i = 0; i < sweeps.size(); ++i) {
                const Record& row = sweeps[i].at(indexes[i]);
                shown["in_bytes"] += row.at("in_bytes").toLongLong();
                shown["out_bytes"] += row.at("out_bytes").toLongLong();
                shown["samples"] += row.at("state") == "measured" ? 1 : 0;
            }
            EXPECT_EQ(stored, shown) << name.toStdString() << out.join(u'\n').toStdString();
        }
        test::ResetAgentState();
    }
}

}  // namespace
}  // namespace pulsewell

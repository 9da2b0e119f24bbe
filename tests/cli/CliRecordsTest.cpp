#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <ranges>

#include "tests/snmp/FakeAgent.h"
#include "tests/support/CliCommand.h"
#include "tests/support/CounterRamp.h"
#include "tests/support/QtPrinters.h"

namespace pulsewell {
namespace {

// The records as column name to text (JSON numbers as their shortest text).
using Record = std::map<QString, QString>;
std::vector<Record> ParseRecords(const QString& format, const QStringList& lines) {
    std::vector<Record> records;
    const QStringList header = lines.value(0).split(u',');
    for (qsizetype i = format == "csv" ? 1 : 0; i < lines.size(); ++i) {
        Record& record = records.emplace_back();
        const QStringList fields = lines[i].split(u',');  // no field holds a comma here
        const QJsonObject object = QJsonDocument::fromJson(lines[i].toUtf8()).object();
        for (qsizetype f = 0; format == "csv" && f < header.size(); ++f) {
            record[header[f]] = fields.value(f, "missing");
        }
        for (auto it = object.begin(); it != object.end(); ++it) {
            record[it.key()] = it->isDouble() ? QString::number(it->toDouble(), 'g', 17)
                               : it->isNull() ? QStringLiteral("null")
                                              : it->toString();
        }
        EXPECT_EQ(record.size(), 14u) << lines[i].toStdString();
    }
    return records;
}

class CliRecords : public test::CliCommand {
  protected:
    void Poll(const QStringList& arguments, const QString& locale = "de_DE.UTF-8") {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", locale);
        environment.insert("TZ", "Europe/Berlin");
        process.setProcessEnvironment(environment);
        Launch("poll", QStringList{"--host", QString::fromStdString(test::TestAgentAddress()),
                                   "--community", "public", "--interval", "1"} +
                           arguments);
    }
};

// The records carry the numbers of the traffic lines, which go to standard
// error in the user's locale; the records stay in the C locale.
TEST_F(CliRecords, FormatsKeepTheCLocaleAndMatchTheTrafficLines) {
    test::CounterRamp ramp(10, 30000, "10000000");  // 4.8 % each way and back
    static const QRegularExpression form(
        "^(\\d\\d)\\.[^.]+\\.\\d{4}, [\\d:]+; IN bytes/s: (\\d+); OUT bytes/s: (\\d+); "
        "utilization: (\\d+),(\\d\\d) %$");
    for (const QString format : {"csv", "json"}) {
        SCOPED_TRACE(format.toStdString());
        Poll({"--interface", "10", "--count", "3", "--format", format, "--bytes"});
        ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
        const std::vector<Record> records = ParseRecords(format, out);
        const QStringList lines = err.filter(form);
        ASSERT_EQ(lines.size(), 2) << err.join(u'\n').toStdString();
        ASSERT_EQ(records.size(), 3u);
        qint64 in = 0;
        for (int i = 0; i < 2; ++i) {
            Record r = records[i];
            const QRegularExpressionMatch m = form.match(lines[i]);
            EXPECT_EQ(r["type"] + r["interface"] + r["bandwidth_bits_per_s"], "poll1010000000");
            EXPECT_EQ(r["time"].mid(8, 2), m.captured(1));
            // Central European time, summer or winter.
            EXPECT_TRUE(r["time"].endsWith("+01:00") || r["time"].endsWith("+02:00"));
            EXPECT_EQ(r["in_bytes_per_s"], m.captured(2));
            EXPECT_EQ(r["out_bytes_per_s"], m.captured(3));
            EXPECT_DOUBLE_EQ(r["utilization_percent"].toDouble(),
                             (m.captured(4) + "." + m.captured(5)).toDouble());
            EXPECT_EQ(r["in_bits_per_s"].toLongLong(), 8 * r["in_bytes_per_s"].toLongLong());
            in += r["in_bytes"].toLongLong();
        }
        const Record& totals = records[2];
        EXPECT_EQ(totals.at("type") + totals.at("in_bits_per_s"),
                  format == "csv" ? "totals" : "totalsnull");
        EXPECT_EQ(totals.at("in_bytes").toLongLong(), in);
        EXPECT_TRUE(err.contains(QStringLiteral("Total traffic transferred IN: %1 bytes; OUT: "
                                                "%2 bytes; combined: %3 bytes")
                                     .arg(in)
                                     .arg(totals.at("out_bytes"))
                                     .arg(in + totals.at("out_bytes").toLongLong())));
    }
}

// Without --bandwidth the utilization's base is the interface's speed, read
// as the window's interface table shows it.
TEST_F(CliRecords, BandwidthIsTheInterfaceSpeed) {
    const std::array<const char*, 4> cases[] = {
        // version, ifSpeed, ifHighSpeed, bandwidth
        {"1", "100000000", "", "100000000"},
        {"1", "4294967295", "10000", "4294967295"},  // SNMPv1 has no ifHighSpeed
        {"2c", "4294967295", "10000", "10000000000"},
        {"2c", "1000000000", "40000", "1000000000"},
    };
    for (const auto& [version, ifSpeed, ifHighSpeed, bandwidth] : cases) {
        SCOPED_TRACE(std::string(ifSpeed) + " " + version);
        test::CounterRamp ramp(11, 1000, ifSpeed);
        if (*ifHighSpeed != 0) {
            test::SetAgentInterfaceValue(11, "ifHighSpeed", ifHighSpeed);
        }
        Poll({"--interface", "11", "--count", "2", "--format", "csv", "--snmp-version", version});
        ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
        EXPECT_EQ(ParseRecords("csv", out).at(0).at("bandwidth_bits_per_s"), bandwidth);
        EXPECT_TRUE(err.contains(
            QStringLiteral("note: bandwidth %1 bit/s, the interface's speed").arg(bandwidth)));
    }
}

// 0 only when the device gave a reading; an interface that never answers
// fails however long it is polled.
TEST_F(CliRecords, ExitCodeSaysWhetherTheDeviceGaveAReading) {
    const std::tuple<QStringList, int, std::size_t> cases[] = {
        {{"--interface", "2", "--count", "2"}, 0, 2},
        {{"--interface", "2", "--count", "1"}, 0, 1},  // a reading, nothing measured yet
        {{"--interface", "99", "--count", "3", "--continue-on-errors"}, 1, 1},
        {{"--interface", "99", "--count", "3", "--stop-on-errors"}, 1, 1},
    };
    for (const auto& [arguments, exitCode, records] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        for (const QString format : {"text", "json"}) {
            Poll(arguments + QStringList{"--format", format}, "C.UTF-8");
            EXPECT_EQ(Finish(), exitCode) << format.toStdString();
        }
        EXPECT_EQ(ParseRecords("json", out).size(), records);
        EXPECT_EQ(ParseRecords("json", out).back().at("type"), "totals");
    }
}

// Passes requests on to the test agent and its answers back, but loses the
// `nth` request for `oid`, as a network loses a datagram.
std::unique_ptr<test::FakeAgent> LossyRelay(const std::string& oid, int nth) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    const auto port = static_cast<std::uint16_t>(std::stoi(test::TestAgentAddress().substr(10)));
    sockaddr_in agent{AF_INET, htons(port), {}, {}};
    agent.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(fd, reinterpret_cast<sockaddr*>(&agent), sizeof agent);
    return std::make_unique<test::FakeAgent>([=, seen = 0](std::string_view request, int) mutable {
        snmp::TSNMPRec decoded;
        decoded.DecodeMessage(request);
        std::string reply(65536, '\0');
        pollfd answer{fd, POLLIN, 0};
        if ((decoded.Bindings().front().ObjectId == oid && ++seen == nth) ||
            ::send(fd, request.data(), request.size(), 0) < 0 || ::poll(&answer, 1, 2000) != 1) {
            return std::vector<test::FakeAgent::Datagram>{};
        }
        reply.resize(static_cast<std::size_t>(std::max(0L, ::recv(fd, reply.data(), 65536, 0))));
        return std::vector<test::FakeAgent::Datagram>{{reply}};
    });
}

// A lost request costs a value, not a spike: each reading is timed when its
// answer came, and a poll queued right behind gives no rate for a side whose
// reading is too recent.
TEST_F(CliRecords, LostRequestGivesNeitherSpikeNorDip) {
    for (const std::string counter : {"16", "10"}) {  // ifOutOctets, ifInOctets
        SCOPED_TRACE(counter);
        test::CounterRamp ramp(14, 12500, "1000000");  // 100 kbit/s each way
        const auto relay = LossyRelay("1.3.6.1.2.1.2.2.1." + counter + ".14", 3);
        Launch("poll", {"--host", QString::fromStdString(relay->Address()), "--community", "public",
                        "--interface", "14", "--interval", "1", "--timeout", "2", "--count", "8",
                        "--format", "csv"});
        ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
        const std::vector<Record> records = ParseRecords("csv", out);
        EXPECT_EQ(std::ranges::count_if(
                      records, [](const Record& r) { return r.at("note").contains("-no-value"); }),
                  1);
        for (const Record& r : records | std::views::take(records.size() - 1)) {
            for (const QString side : {"in", "out"}) {
                if (!r.at("note").contains(side + "-no-")) {
                    const double rate = r.at(side + "_bits_per_s").toDouble();
                    EXPECT_TRUE(rate >= 50000 && rate <= 150000)
                        << side.toStdString() << " " << rate;
                }
            }
        }
    }
}

}  // namespace
}  // namespace pulsewell

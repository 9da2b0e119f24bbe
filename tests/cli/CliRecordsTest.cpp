#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include "CliCommand.h"
#include "CounterRamp.h"
#include "QtPrinters.h"
#include "TestAgent.h"

namespace pulsewell {
namespace {

QString AgentHost() {
    return QString::fromStdString(test::TestAgentAddress());
}

// One record as column name to text: a CSV line after RFC 4180 under its
// header, or a JSON object (numbers as their text, null as "null").
using Record = std::map<QString, QString>;

QStringList CsvFields(const QString& line) {
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"' && quoted && i + 1 < line.size() && line[i + 1] == u'"') {
            fields.last() += c;
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields.append(QString());
        } else {
            fields.last() += c;
        }
    }
    return fields;
}

std::vector<Record> ParseRecords(const QString& format, const QStringList& lines) {
    std::vector<Record> records;
    const QStringList header = format == "csv" ? CsvFields(lines.value(0)) : QStringList();
    for (qsizetype i = format == "csv" ? 1 : 0; i < lines.size(); ++i) {
        Record record;
        if (format == "csv") {
            const QStringList fields = CsvFields(lines[i]);
            EXPECT_EQ(fields.size(), header.size()) << lines[i].toStdString();
            for (qsizetype f = 0; f < header.size() && f < fields.size(); ++f) {
                record[header[f]] = fields[f];
            }
        } else {
            const QJsonObject object = QJsonDocument::fromJson(lines[i].toUtf8()).object();
            EXPECT_FALSE(object.isEmpty()) << lines[i].toStdString();
            for (auto it = object.begin(); it != object.end(); ++it) {
                record[it.key()] = it->isString()   ? it->toString()
                                   : it->isDouble() ? QString::number(it->toDouble(), 'g', 17)
                                                    : QStringLiteral("null");
            }
        }
        records.push_back(record);
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
        Launch("poll", QStringList{"--host", AgentHost(), "--community", "public", "--interval",
                                   "1"} + arguments);
    }
};

// The records carry the numbers of the traffic lines, which go to standard
// error in the user's locale; the records stay in the C locale.
TEST_F(CliRecords, FormatsKeepTheCLocaleAndMatchTheTrafficLines) {
    test::CounterRamp ramp(10, 30000, "10000000");  // 4.8 % each way and back
    for (const QString format : {"csv", "json"}) {
        SCOPED_TRACE(format.toStdString());
        Poll({"--interface", "10", "--count", "3", "--format", format, "--bytes"});
        ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
        const std::vector<Record> records = ParseRecords(format, out);
        static const QRegularExpression line(
            "^(\\d\\d)\\.Dez\\.2026, [\\d:]+; IN bytes/s: (\\d+); OUT bytes/s: (\\d+); "
            "utilization: (\\d+,\\d\\d) %$");
        QStringList lines = err.filter(line);
        ASSERT_EQ(lines.size(), 2) << err.join(u'\n').toStdString();
        ASSERT_EQ(records.size(), 3u);
        qint64 inTotal = 0;
        for (int i = 0; i < 2; ++i) {
            Record r = records[i];
            const QRegularExpressionMatch m = line.match(lines[i]);
            EXPECT_EQ(r["type"], "poll");
            EXPECT_EQ(r["time"].mid(8, 2), m.captured(1));
            EXPECT_TRUE(r["time"].endsWith("+01:00")) << r["time"].toStdString();
            EXPECT_EQ(r["in_bytes_per_s"], m.captured(2));
            EXPECT_EQ(r["out_bytes_per_s"], m.captured(3));
            EXPECT_DOUBLE_EQ(r["utilization_percent"].toDouble(),
                             m.captured(4).replace(u',', u'.').toDouble());
            EXPECT_EQ(r["in_bits_per_s"].toLongLong(), 8 * r["in_bytes_per_s"].toLongLong());
            EXPECT_EQ(r["bandwidth_bits_per_s"], "10000000");
            EXPECT_EQ(r["host"], AgentHost());
            EXPECT_EQ(r["interface"], "10");
            EXPECT_EQ(r["interval_s"], "1");
            EXPECT_EQ(r["note"], "");
            inTotal += r["in_bytes"].toLongLong();
        }
        EXPECT_EQ(records[2].at("type"), "totals");
        EXPECT_EQ(records[2].at("in_bytes").toLongLong(), inTotal);
        EXPECT_TRUE(err.contains(QStringLiteral("Total traffic transferred IN: %1 bytes; OUT: "
                                                "%2 bytes; combined: %3 bytes")
                                     .arg(inTotal)
                                     .arg(records[2].at("out_bytes"))
                                     .arg(inTotal + records[2].at("out_bytes").toLongLong())));
        EXPECT_EQ(records[2].at("in_bits_per_s"), format == "csv" ? "" : "null");
    }
}

// Without --bandwidth the utilization's base is the interface's speed, read
// as the window's interface table shows it.
TEST_F(CliRecords, BandwidthIsTheInterfaceSpeed) {
    struct Case {
        const char* version;
        const char* ifSpeed;
        const char* ifHighSpeed;
        const char* bandwidth;
    };
    const Case cases[] = {
        {"1", "100000000", "", "100000000"},
        {"1", "4294967295", "10000", "4294967295"},  // SNMPv1 has no ifHighSpeed
        {"2c", "4294967295", "10000", "10000000000"},
        {"2c", "1000000000", "40000", "1000000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ifHighSpeed + std::string(" ") + c.version);
        test::CounterRamp ramp(11, 1000, c.ifSpeed);
        if (*c.ifHighSpeed != 0) {
            test::SetAgentInterfaceValue(11, "ifHighSpeed", c.ifHighSpeed);
        }
        Poll({"--interface", "11", "--count", "2", "--format", "csv", "--snmp-version",
              c.version});
        ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
        const std::vector<Record> records = ParseRecords("csv", out);
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].at("bandwidth_bits_per_s"), c.bandwidth);
        EXPECT_TRUE(err.contains(
            QStringLiteral("note: bandwidth %1 bit/s, the interface's speed").arg(c.bandwidth)));
    }
}

// 0 only when the device gave a reading; an interface that never answers
// fails however long it is polled.
TEST_F(CliRecords, ExitCodeSaysWhetherTheDeviceGaveAReading) {
    struct Case {
        QStringList arguments;
        int exitCode;
        int records;
    };
    const Case cases[] = {
        {{"--interface", "2", "--count", "2"}, 0, 2},
        {{"--interface", "2", "--count", "1"}, 0, 1},  // a reading, nothing measured yet
        {{"--interface", "99", "--count", "3", "--continue-on-errors"}, 1, 1},
        {{"--interface", "99", "--count", "3", "--stop-on-errors"}, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        for (const QString format : {"text", "json"}) {
            Poll(c.arguments + QStringList{"--format", format}, "C.UTF-8");
            EXPECT_EQ(Finish(), c.exitCode) << format.toStdString();
            if (format == "json") {
                EXPECT_EQ(ParseRecords(format, out).size(), c.records);
                EXPECT_EQ(ParseRecords(format, out).back().at("type"), "totals");
            }
        }
    }
}

}  // namespace
}  // namespace pulsewell

#include <gtest/gtest.h>

#include <set>

#include "tests/support/CliCommand.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TestAgent.h"

namespace pulsewell {
namespace {

using TopRecording = test::CliCommand;

// The recorded 59-port switch: every interface in every sweep, by name,
// with the 10 Gbit/s of an ifSpeed at its ceiling; a recording never moves,
// so the second sweep measures nothing but zeroes. Its two stack ports have
// no octet counters at all.
TEST_F(TopRecording, SweepsEveryPortOfTheSwitch) {
    for (const QString version : {"1", "2c"}) {
        SCOPED_TRACE(version.toStdString());
        Launch("top", {"--host", QString::fromStdString(test::TestSimulatorAddress()),
                       "--community", "cisco_16_switch", "--snmp-version", version, "--interval",
                       "1", "--count", "2", "--format", "json"});
        ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
        ASSERT_EQ(out.size(), 2 * 59);
        for (int sweep = 0; sweep < 2; ++sweep) {
            std::set<int> indexes;
            for (int i = 0; i < 59; ++i) {
                const QString& line = out[sweep * 59 + i];
                static const QRegularExpression index("\"interface\":(\\d+),\"name\":\"([^\"]+)\"");
                const QRegularExpressionMatch match = index.match(line);
                ASSERT_TRUE(match.hasMatch()) << line.toStdString();
                indexes.insert(match.captured(1).toInt());
                const bool counted = !match.captured(2).startsWith("StackSub-");
                const char* state = !counted     ? "\"state\":\"no answer\","
                                    : sweep == 0 ? "\"state\":\"first reading\","
                                                 : "\"state\":\"measured\",";
                EXPECT_TRUE(line.contains(state)) << line.toStdString();
                if (sweep == 1 && counted) {
                    EXPECT_TRUE(line.contains("\"in_bytes\":0,\"out_bytes\":0,"))
                        << line.toStdString();
                }
            }
            EXPECT_EQ(indexes.size(), 59u);
        }
        EXPECT_TRUE(out[0].contains("\"interface\":1,\"name\":\"Vl1\"")) << out[0].toStdString();
        const QString nu0 = out.filter("\"name\":\"Nu0\"").value(0);
        EXPECT_TRUE(nu0.contains("\"bandwidth_bits_per_s\":10000000000,")) << nu0.toStdString();
    }
}

// By name, the port numbers count as numbers: Fa3/0/2 before Fa3/0/10, as on
// the switch's front panel (its indexes run the same way).
TEST_F(TopRecording, SortsNamesByTheirNumbers) {
    Launch("top", {"--host", QString::fromStdString(test::TestSimulatorAddress()), "--community",
                   "cisco_16_switch", "--snmp-version", "2c", "--count", "1", "--format", "json",
                   "--sort", "name"});
    ASSERT_EQ(Finish(), 0) << err.join(u'\n').toStdString();
    QList<int> indexes;
    for (const QString& line : out) {
        static const QRegularExpression row("\"interface\":(\\d+),\"name\":\"([^\"]+)\"");
        const QRegularExpressionMatch match = row.match(line);
        ASSERT_TRUE(match.hasMatch()) << line.toStdString();
        indexes.append(match.captured(1).toInt());
    }
    QList<int> expected;
    for (int port = 1; port <= 48; ++port) {
        expected.append(11000 + port);  // Fa3/0/1 ... Fa3/0/48
    }
    expected += {11101, 11102, 11103, 11104, 14501, 5185, 5186, 5187, 1, 60, 70};
    EXPECT_EQ(indexes, expected);
}

}  // namespace
}  // namespace pulsewell

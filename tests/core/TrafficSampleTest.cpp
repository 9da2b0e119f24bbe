#include <gtest/gtest.h>

#include <limits>

#include "core/OperationError.h"
#include "core/numbers/NumberText.h"
#include "core/polling/TrafficSample.h"
#include "tests/support/QtPrinters.h"

namespace pulsewell {
namespace {

// Both sides have a previous reading, and the readings come an interval after it.
class TrafficSampleTest : public ::testing::Test {
  protected:
    TrafficSampleTest() {
        state.PrevOutCounted = state.PrevInCounted = true;
        state.OutReadAtMs = state.InReadAtMs = 6000;
    }
    TTrafficSample Compute(const QString& out, const QString& in) {
        state.OutReading = out;
        state.InReading = in;
        state.OutReadAtMs = state.InReadAtMs = state.IntervalSeconds * 1000;
        return ComputeSample(state, messages);
    }

    TMonitorState state;
    MessageList messages;
};

TEST_F(TrafficSampleTest, NegativeReadingIsTheUnsignedCounter) {
    const TTrafficSample s = Compute("-1294967296", "-1");
    EXPECT_EQ(s.orgout, 3000000000);
    EXPECT_EQ(s.orgin, 4294967295);
    EXPECT_EQ(state.OutCounter, 3000000000);
    EXPECT_EQ(state.InCounter, 4294967295);
}

TEST_F(TrafficSampleTest, FirstPollStoresCountersButComputesNothing) {
    state.PrevOutCounted = state.PrevInCounted = false;
    state.Bandwidth = "1000";
    state.TotalIn = 7;
    state.TotalOut = 5;
    const TTrafficSample s = Compute("5000", "9000");
    EXPECT_EQ(state.OutCounter, 5000);
    EXPECT_EQ(state.InCounter, 9000);
    EXPECT_EQ(s.outbyte, 0);
    EXPECT_EQ(s.inbyte, 0);
    EXPECT_EQ(s.outbitpers, 0);
    EXPECT_EQ(s.inbitpers, 0);
    EXPECT_EQ(s.utilbit, 0.0);
    EXPECT_EQ(state.TotalIn, 7);
    EXPECT_EQ(state.TotalOut, 5);
    EXPECT_EQ(state.TotalCombined, 12);
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(TrafficSampleTest, WrapAddsTwoToThe32OnceAndSaysSo) {
    state.PrevOutCounter = 4294960000;
    state.PrevInCounter = 100;
    const TTrafficSample s = Compute("5000", "150");
    EXPECT_EQ(s.outbyte, 12296);
    EXPECT_TRUE(s.outWrapped);
    EXPECT_FALSE(s.inWrapped);
    EXPECT_EQ(s.inbyte, 50);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.LastLine(), "Integer wrap around occured for outgoing traffic");
}

TEST_F(TrafficSampleTest, BothWrapsAreReportedOutputFirst) {
    state.PrevOutCounter = 10;
    state.PrevInCounter = 10;
    Compute("1", "2");
    ASSERT_EQ(messages.Count(), 2);
    EXPECT_EQ(messages.Lines()[0], "Integer wrap around occured for outgoing traffic");
    EXPECT_EQ(messages.Lines()[1], "Integer wrap around occured for incoming traffic");
}

TEST_F(TrafficSampleTest, CounterRestartCountsAsWrap) {
    state.PrevOutCounter = 3000000000;
    const TTrafficSample s = Compute("1000", "0");
    EXPECT_EQ(s.outbyte, 1294968296);
    EXPECT_EQ(s.outbit, 10359746368);  // needs 64-bit multiplication
}

TEST_F(TrafficSampleTest, DifferenceOutsideThe32BitRangeStaysNegative) {
    state.PrevOutCounter = 10000000000;
    const TTrafficSample s = Compute("1", "0");
    EXPECT_EQ(s.outbyte, 1 - 10000000000 + 4294967296);
    EXPECT_EQ(s.outbytepers, 0);
    EXPECT_EQ(state.TotalOut, s.outbyte);
}

TEST_F(TrafficSampleTest, RatesRoundHalvesToEven) {
    state.PrevOutCounter = 100;
    state.PrevInCounter = 100;
    state.IntervalSeconds = 6;
    TTrafficSample s = Compute("115", "121");
    EXPECT_EQ(s.outbytepers, 2);  // 2.5
    EXPECT_EQ(s.outbitpers, 20);  // 120 / 6
    EXPECT_EQ(s.inbytepers, 4);   // 3.5
    EXPECT_EQ(s.inbitpers, 28);   // 168 / 6
    EXPECT_EQ(s.combinedbytepers, 6);
    EXPECT_EQ(s.combinedbitpers, 48);
}

TEST_F(TrafficSampleTest, UnchangedCounterGivesZeroWithoutMessage) {
    state.PrevOutCounter = 500;
    state.PrevInCounter = 500;
    const TTrafficSample s = Compute("500", "500");
    EXPECT_EQ(s.outbyte, 0);
    EXPECT_EQ(s.inbitpers, 0);
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(TrafficSampleTest, UtilizationSumsBothDirectionsOverOneBandwidth) {
    state.IntervalSeconds = 1;
    state.PrevOutCounter = 1;
    state.PrevInCounter = 1;
    state.Bandwidth = "10000000";
    const TTrafficSample s = Compute(QString::number(1 + 625000), QString::number(1 + 1250000));
    EXPECT_EQ(s.inbitpers, 10000000);
    EXPECT_EQ(s.outbitpers, 5000000);
    EXPECT_DOUBLE_EQ(s.utilbit, 150.0);
    EXPECT_EQ(PercentText(s.utilbit), "150.00");
    EXPECT_EQ(s.utilbyte, 0.0);
}

TEST_F(TrafficSampleTest, ZeroBandwidthLeavesUtilizationAtZero) {
    state.PrevOutCounter = 1;
    state.PrevInCounter = 1;
    state.Bandwidth = "0";
    EXPECT_EQ(Compute("60001", "60001").utilbit, 0.0);
}

TEST_F(TrafficSampleTest, TotalsAccumulateAcrossPolls) {
    state.PrevOutCounter = 1000;
    state.PrevInCounter = 2000;
    Compute("1500", "3000");
    state.PrevOutCounter = state.OutCounter;
    state.PrevInCounter = state.InCounter;
    Compute("1600", "3001");
    EXPECT_EQ(state.TotalOut, 600);
    EXPECT_EQ(state.TotalIn, 1001);
    EXPECT_EQ(state.TotalCombined, 1601);
}

TEST_F(TrafficSampleTest, UnparsableReadingChangesNothing) {
    state.PrevOutCounter = 10;
    state.TotalOut = 3;
    for (const QString& bad : {QString(), QString("12a"), QString(" 5"), QString("1.5"),
                               QString("99999999999999999999")}) {
        state.OutReading = "20";
        state.InReading = bad;
        try {
            ComputeSample(state, messages);
            ADD_FAILURE() << "no error for '" << bad.toStdString() << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("'%1' ist kein gültiger Integerwert").arg(bad));
        }
        EXPECT_EQ(state.OutCounter, 0);
        EXPECT_EQ(state.TotalOut, 3);
    }
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(TrafficSampleTest, UnparsableBandwidthFailsAfterCountersAndTotals) {
    state.PrevOutCounter = 4294967000;
    state.PrevInCounter = 100;
    state.Bandwidth = "";
    state.OutReading = "704";
    state.InReading = "300";
    try {
        ComputeSample(state, messages);
        ADD_FAILURE() << "empty bandwidth was accepted";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("'' ist kein gültiger Integerwert"));
    }
    EXPECT_EQ(state.OutCounter, 704);
    EXPECT_EQ(state.InCounter, 300);
    EXPECT_EQ(state.TotalOut, 1000);
    EXPECT_EQ(state.TotalIn, 200);
    EXPECT_EQ(state.TotalCombined, 1200);
    EXPECT_EQ(messages.LastLine(), "Integer wrap around occured for outgoing traffic");
}

TEST_F(TrafficSampleTest, HostileReadingsNearTheLimitsDoNotOverflow) {
    state.PrevOutCounter = 1;
    state.PrevInCounter = 1;
    state.Bandwidth = "1";
    const TTrafficSample s = Compute("9223372036854775807", "-9223372036854775808");
    EXPECT_EQ(s.orgout, 9223372036854775807);
    EXPECT_EQ(s.orgin, std::numeric_limits<std::int64_t>::min() + kCounterModulus);
}

// The agent tests measure 64-bit counters end to end; these are the readings
// they cannot send.
TEST_F(TrafficSampleTest, WideReadingsAreUnsignedDigitsUpToTwoToThe64) {
    state.WideCounters = true;
    state.PrevOutCounter = -1000;  // the pattern of 2^64 - 1000
    const TTrafficSample s = Compute("18446744073709551615", "0");
    EXPECT_EQ(s.outbyte, 999);
    EXPECT_FALSE(s.outReset);
    EXPECT_EQ(state.InCounter, 0);

    state.TotalOut = 3;
    for (const QString& bad :
         {QString("-1"), QString("+1"), QString("18446744073709551616"), QString()}) {
        state.OutReading = bad;
        EXPECT_THROW(ComputeSample(state, messages), ConversionError) << bad.toStdString();
        EXPECT_EQ(state.TotalOut, 3);
    }
    EXPECT_EQ(messages.Count(), 0);
}

}  // namespace
}  // namespace pulsewell

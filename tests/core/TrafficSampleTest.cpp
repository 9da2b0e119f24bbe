#include <gtest/gtest.h>

#include <limits>

#include "core/MessageList.h"
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
        counters.Out.Previous.Counted = counters.In.Previous.Counted = true;
        counters.Out.Now.ReadAtMs = counters.In.Now.ReadAtMs = 6000;
    }
    TTrafficSample Compute(const QString& out, const QString& in) {
        counters.Out.Now.Text = out;
        counters.In.Now.Text = in;
        counters.Out.Now.ReadAtMs = counters.In.Now.ReadAtMs = interval * 1000;
        return Apply();
    }
    // As a poll applies it: the counters, totals and messages, then the utilization.
    TTrafficSample Apply() {
        SampleStep step = ComputeSample(counters, interval);
        counters = step.counters;
        for (const QString& line : step.messages) {
            messages.Append(line);
        }
        step.sample.utilbit = Utilization(step.sample, bandwidth);
        return step.sample;
    }

    TrafficCounters counters;
    int interval = 6;
    QString bandwidth = "0";
    MessageList messages;
};

TEST_F(TrafficSampleTest, NegativeReadingIsTheUnsignedCounter) {
    const TTrafficSample s = Compute("-1294967296", "-1");
    EXPECT_EQ(s.orgout, 3000000000);
    EXPECT_EQ(s.orgin, 4294967295);
    EXPECT_EQ(counters.Out.Now.Counter, 3000000000);
    EXPECT_EQ(counters.In.Now.Counter, 4294967295);
}

TEST_F(TrafficSampleTest, FirstPollStoresCountersButComputesNothing) {
    counters.Out.Previous.Counted = counters.In.Previous.Counted = false;
    bandwidth = "1000";
    counters.Total.In = 7;
    counters.Total.Out = 5;
    const TTrafficSample s = Compute("5000", "9000");
    EXPECT_EQ(counters.Out.Now.Counter, 5000);
    EXPECT_EQ(counters.In.Now.Counter, 9000);
    EXPECT_EQ(s.outbyte, 0);
    EXPECT_EQ(s.inbyte, 0);
    EXPECT_EQ(s.outbitpers, 0);
    EXPECT_EQ(s.inbitpers, 0);
    EXPECT_EQ(s.utilbit, 0.0);
    EXPECT_EQ(counters.Total.In, 7);
    EXPECT_EQ(counters.Total.Out, 5);
    EXPECT_EQ(counters.Total.Combined, 12);
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(TrafficSampleTest, WrapAddsTwoToThe32OnceAndSaysSo) {
    counters.Out.Previous.Counter = 4294960000;
    counters.In.Previous.Counter = 100;
    const TTrafficSample s = Compute("5000", "150");
    EXPECT_EQ(s.outbyte, 12296);
    EXPECT_TRUE(s.outWrapped);
    EXPECT_FALSE(s.inWrapped);
    EXPECT_EQ(s.inbyte, 50);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.LastLine(), "Integer wrap around occured for outgoing traffic");
}

TEST_F(TrafficSampleTest, BothWrapsAreReportedOutputFirst) {
    counters.Out.Previous.Counter = 10;
    counters.In.Previous.Counter = 10;
    Compute("1", "2");
    ASSERT_EQ(messages.Count(), 2);
    EXPECT_EQ(messages.Lines()[0], "Integer wrap around occured for outgoing traffic");
    EXPECT_EQ(messages.Lines()[1], "Integer wrap around occured for incoming traffic");
}

TEST_F(TrafficSampleTest, CounterRestartCountsAsWrap) {
    counters.Out.Previous.Counter = 3000000000;
    const TTrafficSample s = Compute("1000", "0");
    EXPECT_EQ(s.outbyte, 1294968296);
    EXPECT_EQ(s.outbit, 10359746368);  // needs 64-bit multiplication
}

TEST_F(TrafficSampleTest, DifferenceOutsideThe32BitRangeStaysNegative) {
    counters.Out.Previous.Counter = 10000000000;
    const TTrafficSample s = Compute("1", "0");
    EXPECT_EQ(s.outbyte, 1 - 10000000000 + 4294967296);
    EXPECT_EQ(s.outbytepers, 0);
    EXPECT_EQ(counters.Total.Out, s.outbyte);
}

TEST_F(TrafficSampleTest, RatesRoundHalvesToEven) {
    counters.Out.Previous.Counter = 100;
    counters.In.Previous.Counter = 100;
    interval = 6;
    TTrafficSample s = Compute("115", "121");
    EXPECT_EQ(s.outbytepers, 2);  // 2.5
    EXPECT_EQ(s.outbitpers, 20);  // 120 / 6
    EXPECT_EQ(s.inbytepers, 4);   // 3.5
    EXPECT_EQ(s.inbitpers, 28);   // 168 / 6
    EXPECT_EQ(s.combinedbytepers, 6);
    EXPECT_EQ(s.combinedbitpers, 48);
}

TEST_F(TrafficSampleTest, UnchangedCounterGivesZeroWithoutMessage) {
    counters.Out.Previous.Counter = 500;
    counters.In.Previous.Counter = 500;
    const TTrafficSample s = Compute("500", "500");
    EXPECT_EQ(s.outbyte, 0);
    EXPECT_EQ(s.inbitpers, 0);
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(TrafficSampleTest, UtilizationSumsBothDirectionsOverOneBandwidth) {
    interval = 1;
    counters.Out.Previous.Counter = 1;
    counters.In.Previous.Counter = 1;
    bandwidth = "10000000";
    const TTrafficSample s = Compute(QString::number(1 + 625000), QString::number(1 + 1250000));
    EXPECT_EQ(s.inbitpers, 10000000);
    EXPECT_EQ(s.outbitpers, 5000000);
    EXPECT_DOUBLE_EQ(s.utilbit, 150.0);
    EXPECT_EQ(PercentText(s.utilbit), "150.00");
    EXPECT_EQ(s.utilbyte, 0.0);
}

TEST_F(TrafficSampleTest, ZeroBandwidthLeavesUtilizationAtZero) {
    counters.Out.Previous.Counter = 1;
    counters.In.Previous.Counter = 1;
    bandwidth = "0";
    EXPECT_EQ(Compute("60001", "60001").utilbit, 0.0);
}

TEST_F(TrafficSampleTest, TotalsAccumulateAcrossPolls) {
    counters.Out.Previous.Counter = 1000;
    counters.In.Previous.Counter = 2000;
    Compute("1500", "3000");
    counters.Out.Previous.Counter = counters.Out.Now.Counter;
    counters.In.Previous.Counter = counters.In.Now.Counter;
    Compute("1600", "3001");
    EXPECT_EQ(counters.Total.Out, 600);
    EXPECT_EQ(counters.Total.In, 1001);
    EXPECT_EQ(counters.Total.Combined, 1601);
}

TEST_F(TrafficSampleTest, UnparsableReadingChangesNothing) {
    counters.Out.Previous.Counter = 10;
    counters.Total.Out = 3;
    for (const QString& bad : {QString(), QString("12a"), QString(" 5"), QString("1.5"),
                               QString("99999999999999999999")}) {
        counters.Out.Now.Text = "20";
        counters.In.Now.Text = bad;
        try {
            Apply();
            ADD_FAILURE() << "no error for '" << bad.toStdString() << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("'%1' ist kein gültiger Integerwert").arg(bad));
        }
        EXPECT_EQ(counters.Out.Now.Counter, 0);
        EXPECT_EQ(counters.Total.Out, 3);
    }
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(TrafficSampleTest, UnparsableBandwidthFailsAfterCountersAndTotals) {
    counters.Out.Previous.Counter = 4294967000;
    counters.In.Previous.Counter = 100;
    bandwidth = "";
    counters.Out.Now.Text = "704";
    counters.In.Now.Text = "300";
    try {
        Apply();
        ADD_FAILURE() << "empty bandwidth was accepted";
    } catch (const ConversionError& e) {
        EXPECT_EQ(e.Message(), QString::fromUtf8("'' ist kein gültiger Integerwert"));
    }
    EXPECT_EQ(counters.Out.Now.Counter, 704);
    EXPECT_EQ(counters.In.Now.Counter, 300);
    EXPECT_EQ(counters.Total.Out, 1000);
    EXPECT_EQ(counters.Total.In, 200);
    EXPECT_EQ(counters.Total.Combined, 1200);
    EXPECT_EQ(messages.LastLine(), "Integer wrap around occured for outgoing traffic");
}

TEST_F(TrafficSampleTest, HostileReadingsNearTheLimitsDoNotOverflow) {
    counters.Out.Previous.Counter = 1;
    counters.In.Previous.Counter = 1;
    bandwidth = "1";
    const TTrafficSample s = Compute("9223372036854775807", "-9223372036854775808");
    EXPECT_EQ(s.orgout, 9223372036854775807);
    EXPECT_EQ(s.orgin, std::numeric_limits<std::int64_t>::min() + kCounterModulus);
}

// The agent tests measure 64-bit counters end to end; these are the readings
// they cannot send.
TEST_F(TrafficSampleTest, WideReadingsAreUnsignedDigitsUpToTwoToThe64) {
    counters.Wide = true;
    counters.Out.Previous.Counter = -1000;  // the pattern of 2^64 - 1000
    const TTrafficSample s = Compute("18446744073709551615", "0");
    EXPECT_EQ(s.outbyte, 999);
    EXPECT_FALSE(s.outReset);
    EXPECT_EQ(counters.In.Now.Counter, 0);

    counters.Total.Out = 3;
    for (const QString& bad :
         {QString("-1"), QString("+1"), QString("18446744073709551616"), QString()}) {
        counters.Out.Now.Text = bad;
        EXPECT_THROW(Apply(), ConversionError) << bad.toStdString();
        EXPECT_EQ(counters.Total.Out, 3);
    }
    EXPECT_EQ(messages.Count(), 0);
}

}  // namespace
}  // namespace pulsewell

#include <gtest/gtest.h>

#include "AlarmNotice.h"
#include "QtPrinters.h"

namespace pulsewell {
namespace {

// Host and interface are the user's and the device's texts: whatever they
// hold stays where it stands, and the numbers stay in theirs.
TEST(AlarmNoticeTest, HostAndInterfaceTextsAreTakenAsTheyAre) {
    const struct {
        const char* host;
        const char* interface;
    } cases[] = {{"router", "2"}, {"%1", "2"}, {"r%3%5", "%2"}, {"%%1", "%4x"}};
    for (const auto& c : cases) {
        const TAlarmNotice notice =
            AlarmNoticeText(AlarmLevel::Low, 45, 20, c.host, c.interface, "");
        EXPECT_EQ(notice.Summary, "Utilization 45 % reached the low threshold");
        EXPECT_EQ(notice.Body, QStringLiteral("Host ") + c.host + ", interface " + c.interface +
                                   ": the utilization of 45 % reached the low threshold of 20 %.")
            << c.host;
    }
}

}  // namespace
}  // namespace pulsewell

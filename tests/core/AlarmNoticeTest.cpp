#include <gtest/gtest.h>

#include "core/polling/AlarmNotice.h"
#include "tests/support/QtPrinters.h"

namespace pulsewell {
namespace {

// Host and interface are the user's and the device's texts: whatever they
// hold stays where it stands, and the numbers stay in theirs.
TEST(AlarmNoticeTest, HostAndInterfaceTextsAreTakenAsTheyAre) {
    const char* cases[][3] = {{"%1", "2", "Host %1, interface 2: "},
                              {"r%3%5", "%2", "Host r%3%5, interface %2: "}};
    for (const auto& [host, interface, start] : cases) {
        EXPECT_EQ(AlarmNoticeText(AlarmLevel::Low, 45, 20, host, interface, "").Body,
                  QString(start) + "the utilization of 45 % reached the low threshold of 20 %.");
    }
}

}  // namespace
}  // namespace pulsewell

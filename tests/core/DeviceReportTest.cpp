#include <gtest/gtest.h>

#include <QFile>

#include "core/Monitor.h"
#include "core/report/DeviceReport.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

TEST(UptimeLine, SplitsTicksIntoDaysHoursMinutesSeconds) {
    const struct {
        const char* ticks;
        const char* line;
    } cases[] = {
        {"0", "System uptime: 0 ticks (0 days, 0 hours, 0 minutes, 0 seconds)"},
        {"99", "System uptime: 99 ticks (0 days, 0 hours, 0 minutes, 0 seconds)"},
        {"100", "System uptime: 100 ticks (0 days, 0 hours, 0 minutes, 1 seconds)"},
        {"8639999", "System uptime: 8639999 ticks (0 days, 23 hours, 59 minutes, 59 seconds)"},
        {"8640000", "System uptime: 8640000 ticks (1 days, 0 hours, 0 minutes, 0 seconds)"},
        {"12345678", "System uptime: 12345678 ticks (1 days, 10 hours, 17 minutes, 36 seconds)"},
        {"4294967295",
         "System uptime: 4294967295 ticks (497 days, 2 hours, 27 minutes, 52 seconds)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UptimeLine(c.ticks), QString::fromLatin1(c.line)) << c.ticks;
    }
}

TEST(ReportValueLines, TrimsTheEndsAndKeepsEveryLineInside) {
    const struct {
        QString value;
        QStringList lines;
    } cases[] = {
        {"", {""}},
        {QString::fromLatin1("\0\tProfiler3750 \r\n", 17), {"Profiler3750"}},
        {"Cisco IOS\r\nTechnical Support\r\n\r\n  Copyright (c)\r\n",
         {"Cisco IOS", "Technical Support", "", "  Copyright (c)"}},
        {"one\rtwo\nthree", {"one", "two", "three"}},
        // Bytes valid in the user's locale (UTF-8 here) read as such; others byte for byte.
        {QString::fromLatin1("Z\xc3\xbcrich"), {QString::fromUtf8("Z\xc3\xbcrich")}},
        {QString::fromLatin1("Z\xfcrich"), {QString::fromUtf8("Z\xc3\xbcrich")}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReportValueLines(c.value), c.lines) << c.value.toStdString();
    }
}

class DeviceInfoTest : public ::testing::Test {
  protected:
    DeviceInfoTest() {
        monitor.ResetAll();
        monitor.SetHost("10.1.1.1");
        for (int object = 1; object <= 7; ++object) {
            reader.Answer(QStringLiteral("1.3.6.1.2.1.1.%1.0").arg(object), "x");
        }
    }

    test::TempHome home;
    test::RecordingView view;
    test::ScriptedDeviceReader reader;
    test::RecordingSoundPlayer player;
    Monitor monitor{view, reader, player};
};

TEST_F(DeviceInfoTest, SilenceIsTheReportsErrorAndWritesNothing) {
    reader.Silence("1.3.6.1.2.1.1.5.0");
    monitor.ExportDeviceInfo();
    EXPECT_EQ(view.errors, QStringList("Failure contacting device! No answer for System Name "
                                       "(1.3.6.1.2.1.1.5.0)."));
    EXPECT_EQ(reader.requests.size(), 2);
    EXPECT_TRUE(monitor.DeviceReport().isEmpty() && view.openedDocuments.isEmpty());
    EXPECT_FALSE(QFile::exists(home.ProgramFolder() + "device_info.txt"));
}

TEST_F(DeviceInfoTest, InterfaceSelectionClearsTheReport) {
    monitor.GatherDeviceInfo();
    ASSERT_FALSE(monitor.DeviceReport().isEmpty());
    monitor.SelectInterface(0);
    EXPECT_TRUE(monitor.DeviceReport().isEmpty());
}

TEST_F(DeviceInfoTest, UnwritableFileStopsTheExportBeforeTheDesktop) {
    // A folder below a regular file cannot be written, whoever runs the test.
    QFile blocker(home.ProgramFolder() + "not-a-folder");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("PULSEWELL_HOME", (blocker.fileName() + "/program").toLocal8Bit());

    monitor.ExportDeviceInfo();

    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(
        view.errors[0].startsWith("E/A-Fehler: " + blocker.fileName() + "/program/device_info.txt"))
        << view.errors[0].toStdString();
    EXPECT_TRUE(view.openedDocuments.isEmpty());
}

}  // namespace
}  // namespace pulsewell

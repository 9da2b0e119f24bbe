#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/Monitor.h"
#include "core/settings/HostList.h"
#include "tests/fakes/RecordingSoundPlayer.h"
#include "tests/fakes/RecordingView.h"
#include "tests/fakes/ScriptedDeviceReader.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

class HostListTest : public ::testing::Test {
  protected:
    void Write(const QString& name, const QByteArray& content) {
        QFile file(home.ProgramFolder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    // A folder where the file should be: it can be neither read nor written.
    void BlockHostFile() {
        QFile::remove(home.ProgramFolder() + "hostfile.txt");
        ASSERT_TRUE(QDir(home.ProgramFolder()).mkdir("hostfile.txt"));
    }

    test::TempHome home;
    test::RecordingView view;
    test::ScriptedDeviceReader reader;
    test::RecordingSoundPlayer player;
    Monitor monitor{view, reader, player};
};

TEST_F(HostListTest, EveryLineIsAnEntryWhateverEndsIt) {
    struct Case {
        QByteArray content;
        QStringList entries;
    };
    const Case cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"\n", {""}},
        {"\r", {""}},
        {"a", {"a"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
    };
    for (const Case& c : cases) {
        Write("hostfile.txt", c.content);
        EXPECT_EQ(HostList(home.ProgramFolder()).Load(), c.entries) << c.content.toStdString();
    }
}

TEST_F(HostListTest, UnreadableFileSkipsTheRestOfResetAll) {
    Write("site.ini", "[Details]\nIP=10.0.0.1\n");
    monitor.SetStartProfile("site.ini");
    BlockHostFile();
    monitor.ResetAll();
    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(view.errors[0].startsWith("E/A-Fehler")) << view.errors[0].toStdString();
    EXPECT_EQ(monitor.State().Device.Host, "");  // the profile was not applied
    EXPECT_FALSE(monitor.IsAutoStartArmed());
}

TEST_F(HostListTest, UnwritableFileKeepsPollingFromStarting) {
    monitor.ResetAll();
    monitor.SetHost("10.1.1.1");
    monitor.OfferInterfaces({"2"});
    reader.Answer("1.3.6.1.2.1.2.2.1.5.1", "100000000");
    BlockHostFile();
    monitor.StartPolling();
    ASSERT_EQ(view.errors.size(), 1);
    EXPECT_TRUE(view.errors[0].startsWith("E/A-Fehler")) << view.errors[0].toStdString();
    EXPECT_FALSE(monitor.IsPolling());
    EXPECT_TRUE(reader.requests.isEmpty());
    EXPECT_FALSE(monitor.Status().communityReadOnly);
}

}  // namespace
}  // namespace pulsewell

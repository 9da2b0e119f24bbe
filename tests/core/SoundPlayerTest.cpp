#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <thread>

#include "core/OperationError.h"
#include "core/device/SoundPlayer.h"
#include "tests/fakes/ToneFile.h"
#include "tests/support/TempHome.h"

namespace pulsewell {
namespace {

// The tone's path, once written.
QString Tone(const QString& path, int frames) {
    EXPECT_TRUE(test::WriteTone(path, frames));
    return path;
}

TEST(AlsaSoundPlayer, PlaysAGeneratedWaveToTheEnd) {
    test::TempHome home;
    AlsaSoundPlayer player(QStringLiteral("null"));
    EXPECT_NO_THROW(player.Play(Tone(home.ProgramFolder() + "tone.wav", 4000)));
}

// A named pipe would hold the player until a writer came, here after 2 s.
TEST(AlsaSoundPlayer, FilesThatAreNotSoundAreMediaErrors) {
    test::TempHome home;
    const QString pipe = home.ProgramFolder() + "pipe.wav";
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    std::thread writer([&] {
        sleep(2);
        ::close(::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK));
    });
    QElapsedTimer timer;
    timer.start();
    const QString text = home.ProgramFolder() + "alarm.wav";
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a sound file\n");
    file.close();
    AlsaSoundPlayer player(QStringLiteral("null"));
    for (const QString& path : {text, home.ProgramFolder() + "missing.wav", pipe}) {
        try {
            player.Play(path);
            ADD_FAILURE() << "played " << path.toStdString();
        } catch (const OperationError& e) {
            EXPECT_TRUE(e.Message().contains(path));
        }
    }
    EXPECT_LT(timer.elapsed(), 1000);
    writer.join();
}

TEST(AlsaSoundPlayer, UnknownDeviceIsAMediaError) {
    test::TempHome home;
    AlsaSoundPlayer player(QStringLiteral("no_such_pcm_device"));
    EXPECT_THAT([&] { player.Play(Tone(home.ProgramFolder() + "tone.wav", 100)); },
                testing::ThrowsMessage<OperationError>(testing::HasSubstr("sound device")));
}

}  // namespace
}  // namespace pulsewell

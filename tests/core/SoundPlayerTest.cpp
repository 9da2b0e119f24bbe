#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <thread>

#include "OperationError.h"
#include "SoundPlayer.h"
#include "TempHome.h"
#include "ToneFile.h"

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

TEST(AlsaSoundPlayer, FilesThatAreNotSoundAreMediaErrors) {
    test::TempHome home;
    const QString text = home.ProgramFolder() + "alarm.wav";
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a sound file\n");
    file.close();
    AlsaSoundPlayer player(QStringLiteral("null"));
    for (const QString& path : {text, home.ProgramFolder() + "missing.wav"}) {
        try {
            player.Play(path);
            ADD_FAILURE() << "played " << path.toStdString();
        } catch (const OperationError& e) {
            EXPECT_TRUE(e.Message().contains(path));
        }
    }
}

TEST(AlsaSoundPlayer, UnknownDeviceIsAMediaErrorThatNamesIt) {
    test::TempHome home;
    AlsaSoundPlayer player(QStringLiteral("no_such_pcm_device"));
    try {
        player.Play(Tone(home.ProgramFolder() + "tone.wav", 100));
        ADD_FAILURE() << "played";
    } catch (const OperationError& e) {
        EXPECT_TRUE(e.Message().contains("sound device \"no_such_pcm_device\"")) << e.Message().toStdString();
    }
}

// A named pipe would hold the sound worker until some program writes to it.
TEST(AlsaSoundPlayer, OnlyRegularFilesAreOpened) {
    test::TempHome home;
    const QByteArray pipe = QFile::encodeName(home.ProgramFolder() + "pipe.wav");
    ASSERT_EQ(::mkfifo(pipe.constData(), 0600), 0);
    // Frees a reader that waits on the pipe after a while.
    std::thread writer([&] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        ::close(::open(pipe.constData(), O_WRONLY | O_NONBLOCK));
    });
    QElapsedTimer timer;
    timer.start();
    AlsaSoundPlayer player(QStringLiteral("null"));
    for (const QString& path : {QFile::decodeName(pipe), home.ProgramFolder()}) {
        try {
            player.Play(path);
            ADD_FAILURE() << "played " << path.toStdString();
        } catch (const OperationError& e) {
            EXPECT_EQ(e.Message(), "MCI-Fehler: " + path + " (not a regular file)");
        }
    }
    EXPECT_LT(timer.elapsed(), 1000);
    writer.join();
}

}  // namespace
}  // namespace pulsewell

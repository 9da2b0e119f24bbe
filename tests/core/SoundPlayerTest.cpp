#include <gtest/gtest.h>

#include <QFile>

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

TEST(AlsaSoundPlayer, UnknownDeviceIsAMediaError) {
    test::TempHome home;
    AlsaSoundPlayer player(QStringLiteral("no_such_pcm_device"));
    EXPECT_THROW(player.Play(Tone(home.ProgramFolder() + "tone.wav", 100)), OperationError);
}

}  // namespace
}  // namespace pulsewell

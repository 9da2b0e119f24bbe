#include <gtest/gtest.h>
#include <sndfile.h>

#include <QFile>
#include <cmath>
#include <vector>

#include "OperationError.h"
#include "SoundPlayer.h"
#include "TempHome.h"

namespace pulsewell {
namespace {

// A short sine tone written with libsndfile, so the test needs no sample file.
QString WriteTone(const QString& path, int frames) {
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr);
    std::vector<short> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i) {
        samples[static_cast<size_t>(i)] = static_cast<short>(8000 * std::sin(i * 0.3));
    }
    sf_writef_short(file, samples.data(), frames);
    sf_close(file);
    return path;
}

TEST(AlsaSoundPlayer, PlaysAGeneratedWaveToTheEnd) {
    test::TempHome home;
    AlsaSoundPlayer player(QStringLiteral("null"));
    EXPECT_NO_THROW(player.Play(WriteTone(home.ProgramFolder() + "tone.wav", 4000)));
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
    EXPECT_THROW(player.Play(WriteTone(home.ProgramFolder() + "tone.wav", 100)), OperationError);
}

}  // namespace
}  // namespace pulsewell

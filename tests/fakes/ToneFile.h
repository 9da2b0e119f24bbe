#pragma once

#include <sndfile.h>

#include <QString>
#include <cmath>
#include <vector>

namespace pulsewell::test {

// Writes a short sine tone as a 16-bit mono wave file (8000 frames a
// second), so that tests need no sample file. False if it could not.
inline bool WriteTone(const QString& path, int frames) {
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!file) {
        return false;
    }
    std::vector<short> samples(static_cast<std::size_t>(frames));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<short>(8000 * std::sin(static_cast<double>(i) * 0.3));
    }
    sf_writef_short(file, samples.data(), frames);
    return sf_close(file) == 0;
}

}  // namespace pulsewell::test

#include <alsa/asoundlib.h>
#include <sndfile.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "core/OperationError.h"
#include "core/device/SoundPlayer.h"

namespace pulsewell {

namespace {

struct SoundFileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};
struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
struct Descriptor {
    int fd;
    ~Descriptor() { ::close(fd); }
};

// The file, opened only when it is a regular one: a named pipe would hold the
// sound worker until some program wrote to it, a device could do worse.
int OpenRegularFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        throw MediaError(path, QString::fromLocal8Bit(std::strerror(errno)));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw MediaError(path, QStringLiteral("not a regular file"));
    }
    return fd;
}

}  // namespace

AlsaSoundPlayer::AlsaSoundPlayer(QString device) : device_(std::move(device)) {}

void AlsaSoundPlayer::Play(const QString& path) {
    const Descriptor descriptor{OpenRegularFile(path)};
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SoundFileCloser> file(
        sf_open_fd(descriptor.fd, SFM_READ, &info, SF_FALSE));
    if (!file) {
        throw MediaError(path, QString::fromLocal8Bit(sf_strerror(nullptr)));
    }
    if (info.channels <= 0 || info.samplerate <= 0) {
        throw MediaError(path, QStringLiteral("no audio data"));
    }

    snd_pcm_t* rawPcm = nullptr;
    int rc = snd_pcm_open(&rawPcm, device_.toLocal8Bit().constData(), SND_PCM_STREAM_PLAYBACK, 0);
    if (rc < 0) {
        throw SoundDeviceError(device_, path, QString::fromLocal8Bit(snd_strerror(rc)));
    }
    std::unique_ptr<snd_pcm_t, PcmCloser> pcm(rawPcm);
    constexpr unsigned kLatencyMicroseconds = 100000;
    rc = snd_pcm_set_params(pcm.get(), SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                            static_cast<unsigned>(info.channels),
                            static_cast<unsigned>(info.samplerate), 1, kLatencyMicroseconds);
    if (rc < 0) {
        throw SoundDeviceError(device_, path, QString::fromLocal8Bit(snd_strerror(rc)));
    }

    // Small chunks, so that a stop is noticed within a few hundredths of a second.
    constexpr sf_count_t kFramesPerChunk = 1024;
    std::vector<short> buffer(static_cast<size_t>(kFramesPerChunk * info.channels));
    sf_count_t frames = 0;
    while (!stopped_ && (frames = sf_readf_short(file.get(), buffer.data(), kFramesPerChunk)) > 0) {
        const short* data = buffer.data();
        while (frames > 0 && !stopped_) {
            snd_pcm_sframes_t written = snd_pcm_writei(pcm.get(), data, frames);
            if (written == -EPIPE || written == -ESTRPIPE || written == -EINTR) {
                if (snd_pcm_recover(pcm.get(), static_cast<int>(written), 1) < 0) {
                    throw SoundDeviceError(
                        device_, path,
                        QString::fromLocal8Bit(snd_strerror(static_cast<int>(written))));
                }
                continue;
            }
            if (written < 0) {
                throw SoundDeviceError(
                    device_, path, QString::fromLocal8Bit(snd_strerror(static_cast<int>(written))));
            }
            data += written * info.channels;
            frames -= written;
        }
    }
    // Wait until the last frame has been played, unless stopped meanwhile;
    // snd_pcm_drain could not be cut short.
    constexpr long kWaitStepMicroseconds = 10000;
    snd_pcm_sframes_t queued = 0;
    if (snd_pcm_delay(pcm.get(), &queued) == 0 && queued > 0) {
        long left = static_cast<long>(queued * 1000000 / info.samplerate);
        for (; left > 0 && !stopped_; left -= kWaitStepMicroseconds) {
            usleep(static_cast<useconds_t>(std::min(left, kWaitStepMicroseconds)));
        }
    }
    snd_pcm_drop(pcm.get());
}

}  // namespace pulsewell

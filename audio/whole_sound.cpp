#include "whole_sound.h"

#include <sys/stat.h>

#include <algorithm>

#include "quantizer.h"
#include "safe_writer.h"
#include "shown_path.h"

Result<WholeSound> ReadWholeSound(const std::string& path, std::size_t mostFrames) {
    SoundReader reader(path);
    if (!reader.Ok()) {
        return Result<WholeSound>::Failure(reader.Error());
    }
    WholeSound sound;
    sound.samplingRate = reader.Info().samplerate;
    sound.channels = reader.Info().channels;
    sound.sndfileFormat = reader.Info().format;
    sound.fileFrames = reader.Info().frames;
    const std::size_t frames =
        std::min(static_cast<std::size_t>(std::max(sound.fileFrames, 0LL)), mostFrames);
    sound.samples.resize(frames * static_cast<std::size_t>(sound.channels));
    std::size_t done = 0;
    while (done < frames) {
        const long long read = reader.Read(
            sound.samples.data() + done * static_cast<std::size_t>(sound.channels), frames - done);
        if (read < 0) {
            return Result<WholeSound>::Failure(reader.Error());
        }
        if (read == 0) {
            break;
        }
        done += static_cast<std::size_t>(read);
    }
    // A file shorter than its header says keeps what could be read.
    sound.samples.resize(done * static_cast<std::size_t>(sound.channels));
    return sound;
}

std::vector<double> ChannelOf(const WholeSound& sound, int channel) {
    std::vector<double> samples;
    const std::size_t channels = static_cast<std::size_t>(sound.channels);
    samples.reserve(sound.samples.size() / channels);
    for (std::size_t i = static_cast<std::size_t>(channel); i < sound.samples.size();
         i += channels) {
        samples.push_back(sound.samples[i]);
    }
    return samples;
}

std::optional<std::string> WriteWholeSound(const std::string& path, const SoundFileFormat& format,
                                           int samplingRate, int channels,
                                           const std::vector<double>& samples,
                                           const std::vector<SoundString>& strings) {
    // A container's header is completed at the end, by seeking back to it.
    struct stat status {};
    if (stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        return safe_write::ShownPath(path) +
               ": not a regular file; an audio file's header is completed at the end, which a "
               "pipe or device cannot take";
    }
    safe_write::PendingFile pending = safe_write::PendingFile::Begin(path);
    if (!pending.Ok()) {
        return pending.Error();
    }
    SF_INFO info{};
    info.samplerate = samplingRate;
    info.channels = channels;
    info.format = format.sndfileFormat;
    SoundWriter writer(pending.Descriptor(), path, info);
    if (!writer.Ok()) {
        return writer.Error();
    }
    writer.SetStrings(strings);
    const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
    bool written = false;
    if (const int bits = IntegerBits(format.encoding); bits > 0) {
        std::vector<int> integers(samples.size());
        Quantizer(bits, true).Convert(samples.data(), integers.data(), samples.size());
        written = writer.Write(integers.data(), frames);
    } else {
        written = writer.Write(samples.data(), frames);
    }
    if (!written) {
        return writer.Error();
    }
    if (auto closing = writer.Close()) {
        return closing;
    }
    return pending.Commit();
}

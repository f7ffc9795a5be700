#pragma once
// Audio files through libsndfile: a reader that opens a path and reads blocks of
// frames, and a writer on a descriptor that the safe writer hands over. Every failure
// becomes a message naming the file and the reason.

#include <sndfile.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// "-" names standard input as an input and standard output as an output.
inline const std::string kStandardStream = "-";

enum class SoundSide { Input, Output };
// The path as messages show it: "standard input" or "standard output" for "-".
std::string ShownSoundPath(const std::string& path, SoundSide side);

// A string that libsndfile carries (title, artist, ...): its SF_STR_* kind and text.
using SoundString = std::pair<int, std::string>;

class SoundReader {
public:
    // Opens a regular file, or for "-" standard input (once KeepStandardInputSeekable has
    // made it one). On failure Ok() is false and Error() says why.
    explicit SoundReader(const std::string& path);
    ~SoundReader();
    SoundReader(const SoundReader&) = delete;
    SoundReader& operator=(const SoundReader&) = delete;

    bool Ok() const { return file_ != nullptr; }
    const std::string& Error() const { return error_; }
    const SF_INFO& Info() const { return info_; }

    // Whole frames read (0 at the end), or -1 with Error() set. Samples are scaled to
    // full scale 1.0; an integer file of up to 24 bits reads exactly into float.
    long long Read(float* frames, std::size_t count);
    long long Read(double* frames, std::size_t count);
    // Back to the first frame, for a second pass.
    bool Rewind();

    std::vector<SoundString> Strings() const;

private:
    template <typename Sample>
    long long ReadFrames(Sample* frames, std::size_t count);
    void Fail(const std::string& reason);

    std::string shown_;  // the path as messages show it
    std::string error_;
    SF_INFO info_{};
    int descriptor_ = -1;
    SNDFILE* file_ = nullptr;
};

class SoundWriter {
public:
    // Opens a new audio file of the given format on the descriptor (which stays open);
    // `path` names the file in messages.
    SoundWriter(int descriptor, const std::string& path, const SF_INFO& format);
    ~SoundWriter();
    SoundWriter(const SoundWriter&) = delete;
    SoundWriter& operator=(const SoundWriter&) = delete;

    bool Ok() const { return file_ != nullptr && error_.empty(); }
    const std::string& Error() const { return error_; }

    // Before the first frame: some containers write their strings in the header.
    // A string the container cannot hold is skipped.
    void SetStrings(const std::vector<SoundString>& strings);

    // False with Error() set when the frames could not all be written. Integers are
    // left-justified 32-bit values, which libsndfile shifts down exactly to the file's width.
    bool Write(const float* frames, std::size_t count);
    bool Write(const double* frames, std::size_t count);
    bool Write(const int* frames, std::size_t count);

    // Completes the header; nothing on success, else the message.
    std::optional<std::string> Close();

private:
    template <typename Sample>
    bool WriteFrames(const Sample* frames, std::size_t count);

    std::string name_;
    std::string error_;
    SNDFILE* file_ = nullptr;
};

#include "sound_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>
#include <type_traits>

#include "shown_path.h"
#include "sndfile_library.h"

namespace {

// libsndfile shortens a file whose header promises more audio than the file holds to
// what is there and says so only in its log ("data : 288000 (should be 99920)"). A
// streamed file whose header could not be finished declares 0 or the largest size
// instead, and is not cut short.
std::optional<std::string> TruncationInLog(SNDFILE* file) {
    char log[8192] = {};
    Sndfile().command(file, SFC_GET_LOG_INFO, log, sizeof log);
    std::istringstream lines(log);
    for (std::string line; std::getline(lines, line);) {
        const bool audioChunk = line.rfind("data", 0) == 0 || line.rfind("SSND", 0) == 0;
        const std::size_t should = line.find("(should be ");
        if (!audioChunk || should == std::string::npos) {
            continue;
        }
        const std::size_t colon = line.find(':');
        const unsigned long long declared = std::strtoull(line.c_str() + colon + 1, nullptr, 10);
        const unsigned long long present = std::strtoull(line.c_str() + should + 11, nullptr, 10);
        if (declared == 0 || declared >= 0xFFFFFFF0ULL || declared <= present) {
            continue;
        }
        return "the file ends before its audio does (the header declares " +
               std::to_string(declared) + " bytes of audio, the file holds " +
               std::to_string(present) + "): it looks cut short";
    }
    return std::nullopt;
}

}  // namespace

std::string ShownSoundPath(const std::string& path, SoundSide side) {
    if (path == kStandardStream) {
        return side == SoundSide::Input ? "standard input" : "standard output";
    }
    return safe_write::ShownPath(path);
}

SoundReader::SoundReader(const std::string& path) : shown_(ShownSoundPath(path, SoundSide::Input)) {
    // Without O_NONBLOCK a FIFO that no program writes would hold open() for good; the
    // check below refuses it at once.
    descriptor_ = path == kStandardStream
                      ? fcntl(STDIN_FILENO, F_DUPFD_CLOEXEC, 0)
                      : open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor_ < 0) {
        error_ = shown_ + ": cannot open: " + std::strerror(errno);
        return;
    }
    struct stat status {};
    if (fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
        error_ = shown_ + ": not a regular file (a pipe or device cannot be read twice)";
        return;
    }
    const int flags = fcntl(descriptor_, F_GETFL);
    if (flags < 0 || fcntl(descriptor_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        error_ = shown_ + ": cannot open: " + std::strerror(errno);
        return;
    }
    // The descriptor stays ours, so that it is closed once whatever a failure does.
    file_ = Sndfile().openFd(descriptor_, SFM_READ, &info_, SF_FALSE);
    if (file_ == nullptr) {
        error_ =
            shown_ + ": not an audio file that can be read (" + Sndfile().strerror(nullptr) + ")";
        return;
    }
    if (const auto truncation = TruncationInLog(file_)) {
        Fail(*truncation);
        return;
    }
    if (info_.channels < 1 || info_.samplerate < 1) {
        Fail("no channels or no sampling rate in the header");
    }
}

SoundReader::~SoundReader() {
    if (file_ != nullptr) {
        Sndfile().close(file_);
    }
    if (descriptor_ >= 0) {
        close(descriptor_);
    }
}

void SoundReader::Fail(const std::string& reason) {
    error_ = shown_ + ": " + reason;
    if (file_ != nullptr) {
        Sndfile().close(file_);
        file_ = nullptr;
    }
}

template <typename Sample>
long long SoundReader::ReadFrames(Sample* frames, std::size_t count) {
    if (file_ == nullptr) {
        return -1;
    }
    sf_count_t got;
    if constexpr (std::is_same_v<Sample, float>) {
        got = Sndfile().readfFloat(file_, frames, static_cast<sf_count_t>(count));
    } else {
        got = Sndfile().readfDouble(file_, frames, static_cast<sf_count_t>(count));
    }
    if (got < static_cast<sf_count_t>(count) && Sndfile().error(file_) != SF_ERR_NO_ERROR) {
        Fail(std::string("cannot read: ") + Sndfile().strerror(file_));
        return -1;
    }
    return got;
}

long long SoundReader::Read(float* frames, std::size_t count) { return ReadFrames(frames, count); }
long long SoundReader::Read(double* frames, std::size_t count) { return ReadFrames(frames, count); }

bool SoundReader::Rewind() {
    if (file_ == nullptr) {
        return false;
    }
    if (Sndfile().seek(file_, 0, SEEK_SET) != 0) {
        Fail(std::string("cannot go back to the start: ") + Sndfile().strerror(file_));
        return false;
    }
    return true;
}

std::vector<SoundString> SoundReader::Strings() const {
    std::vector<SoundString> strings;
    for (int kind = SF_STR_FIRST; kind <= SF_STR_LAST; ++kind) {
        if (const char* text = Sndfile().getString(file_, kind); text != nullptr && *text != '\0') {
            strings.emplace_back(kind, text);
        }
    }
    return strings;
}

SoundWriter::SoundWriter(int descriptor, const std::string& path, const SF_INFO& format)
    : name_(ShownSoundPath(path, SoundSide::Output)) {
    SF_INFO info = format;
    file_ = Sndfile().openFd(descriptor, SFM_WRITE, &info, SF_FALSE);
    if (file_ == nullptr) {
        error_ = name_ + ": cannot write this format: " + Sndfile().strerror(nullptr);
        return;
    }
    // The samples arrive rounded and in range; nothing is to be rescaled or clipped by
    // libsndfile, and a float file gets no PEAK chunk pass of its own.
    Sndfile().command(file_, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
}

SoundWriter::~SoundWriter() {
    if (file_ != nullptr) {
        Sndfile().close(file_);
    }
}

void SoundWriter::SetStrings(const std::vector<SoundString>& strings) {
    for (const auto& [kind, text] : strings) {
        Sndfile().setString(file_, kind, text.c_str());
    }
}

template <typename Sample>
bool SoundWriter::WriteFrames(const Sample* frames, std::size_t count) {
    if (!Ok()) {
        return false;
    }
    sf_count_t written;
    if constexpr (std::is_same_v<Sample, float>) {
        written = Sndfile().writefFloat(file_, frames, static_cast<sf_count_t>(count));
    } else if constexpr (std::is_same_v<Sample, double>) {
        written = Sndfile().writefDouble(file_, frames, static_cast<sf_count_t>(count));
    } else {
        written = Sndfile().writefInt(file_, frames, static_cast<sf_count_t>(count));
    }
    if (written != static_cast<sf_count_t>(count)) {
        const int saved = errno;
        error_ =
            name_ + ": cannot write: " +
            (Sndfile().error(file_) == SF_ERR_SYSTEM && saved != 0 ? std::strerror(saved)
                                                                   : Sndfile().strerror(file_));
        if (saved == EFBIG) {
            error_ += " (the file system's largest file, or the file-size limit of ulimit -f)";
        }
        return false;
    }
    return true;
}

bool SoundWriter::Write(const float* frames, std::size_t count) {
    return WriteFrames(frames, count);
}
bool SoundWriter::Write(const double* frames, std::size_t count) {
    return WriteFrames(frames, count);
}
bool SoundWriter::Write(const int* frames, std::size_t count) { return WriteFrames(frames, count); }

std::optional<std::string> SoundWriter::Close() {
    if (file_ == nullptr) {
        return error_.empty() ? std::nullopt : std::optional<std::string>(error_);
    }
    const int status = Sndfile().close(file_);
    file_ = nullptr;
    if (!error_.empty()) {
        return error_;
    }
    if (status != 0) {
        return name_ + ": cannot finish the file: " + Sndfile().strerror(nullptr);
    }
    return std::nullopt;
}

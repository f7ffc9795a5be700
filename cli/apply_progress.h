#pragma once
// The progress bar of vorlexi-calc apply on standard error: the file's name, a bar,
// percent, speed (times real time) and the time left, redrawn in place at most ten
// times a second. Only when standard error is a terminal and --quiet is not given.

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <mutex>
#include <string>
#include <vector>

// One line of at most `width` characters.
std::string FormatProgressLine(const std::string& name, double fraction, double speed,
                               double secondsLeft, int width);

class ProgressBar {
public:
    ProgressBar(std::ostream& err, bool shown, std::string name);
    ~ProgressBar();  // clears the line
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // Frames done of the total, in a file at samplingRate.
    void Update(std::uint64_t done, std::uint64_t total, double samplingRate);
    // Takes the bar off the line, for a line of text; the next Update draws it again.
    void Clear();

private:
    std::ostream& err_;
    bool shown_;
    bool drawn_ = false;
    std::string name_;
    int width_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDrawn_;
};

// The progress of a batch in one bar, fed by the threads of its files, and the lines
// they print between its redraws.
class BatchProgress {
public:
    BatchProgress(std::ostream& err, bool shown, std::string name, std::size_t files);

    // Frames done of the total of file `file`, at its sampling rate.
    void Update(std::size_t file, std::uint64_t done, std::uint64_t total, double samplingRate);
    // Writes text (whole lines) where the bar was.
    void Print(const std::string& text);

private:
    struct FileProgress {
        double doneSeconds = 0.0;   // of audio, over every pass
        double totalSeconds = 0.0;  // nothing until the file begins
    };
    std::mutex guard_;
    std::ostream& err_;
    ProgressBar bar_;
    std::vector<FileProgress> files_;
};

// True when standard error is a terminal.
bool StandardErrorIsTerminal();

#pragma once
// The progress bar of vorlexi-calc apply on standard error: the file's name, a bar,
// percent, speed (times real time) and the time left, redrawn in place at most ten
// times a second. Only when standard error is a terminal and --quiet is not given.

#include <chrono>
#include <cstdint>
#include <iosfwd>
#include <string>

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

private:
    std::ostream& err_;
    bool shown_;
    bool drawn_ = false;
    std::string name_;
    int width_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDrawn_;
};

// True when standard error is a terminal.
bool StandardErrorIsTerminal();

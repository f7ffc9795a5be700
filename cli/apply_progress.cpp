#include "apply_progress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "base/number_text.h"

namespace {

int TerminalWidth() {
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 20) {
        return size.ws_col;
    }
    return 80;
}

std::string Clock(double seconds) {
    const long total = std::lround(std::max(0.0, seconds));
    const std::string secondsText = std::to_string(total % 60);
    return std::to_string(total / 60) + ":" + (total % 60 < 10 ? "0" : "") + secondsText;
}

}  // namespace

std::string FormatProgressLine(const std::string& name, double fraction, double speed,
                               double secondsLeft, int width) {
    fraction = std::clamp(fraction, 0.0, 1.0);
    std::string figures = " " + std::to_string(static_cast<int>(fraction * 100.0)) + "%";
    if (speed > 0.0) {
        figures += "  " + FormatSignificant(speed, 3) + "x  " + Clock(secondsLeft) + " left";
    }
    // The name takes what the figures and a bar of at least 10 leave, cut at the front.
    const int room = std::max(0, width - 1 - static_cast<int>(figures.size()) - 14);
    std::string shownName = name;
    if (static_cast<int>(shownName.size()) > room) {
        shownName = room > 3 ? "..." + name.substr(name.size() - (room - 3)) : "";
    }
    const int barWidth =
        std::max(10, width - 1 - static_cast<int>(figures.size() + shownName.size()) - 3);
    const int filled = static_cast<int>(fraction * barWidth);
    return shownName + " [" + std::string(filled, '#') + std::string(barWidth - filled, '-') + "]" +
           figures;
}

ProgressBar::ProgressBar(std::ostream& err, bool shown, std::string name)
    : err_(err),
      shown_(shown),
      name_(std::move(name)),
      width_(shown ? TerminalWidth() : 80),
      start_(std::chrono::steady_clock::now()),
      lastDrawn_(start_) {}

ProgressBar::~ProgressBar() {
    if (drawn_) {
        err_ << '\r' << std::string(width_ - 1, ' ') << '\r' << std::flush;
    }
}

void ProgressBar::Update(std::uint64_t done, std::uint64_t total, double samplingRate) {
    if (!shown_ || total == 0) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - lastDrawn_ < std::chrono::milliseconds(100)) {
        return;
    }
    lastDrawn_ = now;
    drawn_ = true;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double framesPerSecond = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
    const double speed = samplingRate > 0.0 ? framesPerSecond / samplingRate : 0.0;
    const double left =
        framesPerSecond > 0.0 ? static_cast<double>(total - done) / framesPerSecond : 0.0;
    err_ << '\r'
         << FormatProgressLine(name_, static_cast<double>(done) / static_cast<double>(total), speed,
                               left, width_)
         << std::flush;
}

bool StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

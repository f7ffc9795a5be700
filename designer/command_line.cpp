#include "command_line.h"

#include <ostream>
#include <string_view>

namespace {

constexpr std::string_view kHelp =
    "Usage: vorlexi-designer [OPTION]\n"
    "Design a digital phono or tape equalisation filter and see its response.\n"
    "\n"
    "The window shows the curve (a named one, time constants, or turnover, shelf and\n"
    "roll-off), the sampling frequency, the method (matched or minimax, with a number\n"
    "of sections or a tolerance) and the gain on the left; the response of the design\n"
    "beside the curve, its deviation and the figures vorlexi-calc --response prints on\n"
    "the right; below them the coefficients, or the text for SoX, FFmpeg, CamillaDSP,\n"
    "Nyquist or PipeWire, to copy or save. File > Apply to Files runs vorlexi-calc\n"
    "apply on audio files with the design shown. The settings are kept between runs.\n"
    "\n"
    "Options:\n"
    "  --print-state  when the window closes, print the design's title, its figures and\n"
    "                 the text for the chosen program on standard output\n"
    "  --help         print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "Qt's own options (such as -platform wayland) are accepted as well.\n";

}  // namespace

std::optional<int> ReadCommandLine(int argc, char** argv, DesignerOptions& options,
                                   std::ostream& out, std::ostream& err) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            out << kHelp;
            return 0;
        }
        if (argument == "--version") {
            out << "vorlexi-designer " << VORLEXI_VERSION << '\n';
            return 0;
        }
        if (argument == "--print-state") {
            options.printState = true;
        } else if (argument.starts_with("--")) {
            err << "vorlexi-designer: unknown option " << argument
                << "; vorlexi-designer --help lists the options\n";
            return 2;
        }
    }
    return std::nullopt;
}

// vorlexi, the desktop program: the one application object and the entry that hands the
// program's resources to the framework layer.

#include <QGuiApplication>
#include <QString>

#include <cstdio>
#include <cstring>

#include "afx.h"
#include "vorlexi_app.h"
#include "vorlexi_resources.h"

CVorlexiApp theApp;

namespace {

// The command line that the framework's parser and start-up accept; the manual page is
// made from this text, so it describes every form the program takes.
constexpr char kUsage[] =
    "Usage: vorlexi [FILE]\n"
    "  or:  vorlexi -p FILE\n"
    "  or:  vorlexi --help | --version\n"
    "Designs a digital RIAA phono-equalisation filter (Actions > Calc Filter) and\n"
    "shows its coefficient report in a plain-text editor that saves, opens and\n"
    "prints text files byte for byte (Windows-1252, CR LF).\n"
    "\n"
    "With no argument vorlexi starts with a new, empty document; with FILE it\n"
    "opens that file. One file at most.\n"
    "\n"
    "Options:\n"
    "  -p, /p FILE   print FILE to the default printer and end, without showing a\n"
    "                window (the letter may be upper case: -P, /P)\n"
    "  --            end of options: what follows is a file name even if it starts\n"
    "                with - or is /p\n"
    "  --help        print this help and end (only as the sole argument)\n"
    "  --version     print the version record and end (only as the sole argument)\n"
    "\n"
    "Qt's own options (-platform NAME, -style NAME, -reverse, ...) are taken as\n"
    "well. Settings (the recent-file list) are kept in\n"
    "~/.config/Local AppWizard-Generated Applications/vorlexi.ini.\n"
    "\n"
    "Exit status: 0 done, 1 the file could not be opened or printed or there is\n"
    "no display, 2 a bad command line (also shown in a message box).\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    const bool versionOnly = argc == 2 && std::strcmp(argv[1], "--version") == 0;
    if (!versionOnly && !AfxHasWindowSystem(argc, argv)) {
        std::fputs(
            "vorlexi needs a display (X11 or Wayland), and neither DISPLAY nor WAYLAND_DISPLAY "
            "is set; vorlexi-calc designs the filter on the command line (vorlexi-calc --help).\n",
            stderr);
        return 1;
    }
    // Wayland compositors and launchers find the window's desktop entry, and through it
    // the installed icon, by this name; it is kept before the application object exists.
    QGuiApplication::setDesktopFileName(QStringLiteral(VORLEXI_APP_ID));
    return AfxWinMain(argc, argv, VorlexiResources());
}

// The program's entry: resources, --version, the Qt application and the application object's
// life from InitInstance to ExitInstance.
#include "win_app.h"

#include "message_box.h"
#include "print_job.h"
#include "qt_bridge.h"
#include "resources.h"
#include "windows1252.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace platform {

namespace {

std::string Utf8(const char* windows1252) {
    return Windows1252ToUtf8(windows1252 != nullptr ? windows1252 : "");
}

void PrintVersion(std::FILE* out) {
    const VersionInfo* version = FindVersionResource();
    const std::string name = Utf8(FindStringResource(AFX_IDS_APP_TITLE));
    if (version == nullptr) {
        std::fprintf(out, "%s\n", name.c_str());
        return;
    }
    const auto* v = version->fileVersion;
    const auto* p = version->productVersion;
    std::fprintf(out, "%s %u.%u.%u.%u\n", name.c_str(), v[0], v[1], v[2], v[3]);
    std::fprintf(out, "Product version: %u.%u.%u.%u\n", p[0], p[1], p[2], p[3]);
    for (const VersionString& entry : version->strings) {
        if (entry.value != nullptr && *entry.value != '\0') {
            std::fprintf(out, "%s: %s\n", Utf8(entry.key).c_str(), Utf8(entry.value).c_str());
        }
    }
}

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool AfxHasWindowSystem(int argc, char** argv) {
    if (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM")) {
        return true;
    }
    // Qt takes its options with one dash or two.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return true;
        }
    }
    return false;
}

int AfxWinMain(int argc, char** argv, const ResourceModule& module) {
    AfxSetResourceModule(module);
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        PrintVersion(stdout);
        return 0;
    }
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        std::fprintf(stderr, "The program has no application object.\n");
        return 1;
    }
    app->SetAppNameFromResources();

    // QApplication keeps a reference to its argument count and removes its own options
    // (-platform, -style, ...) from argv, leaving the program's arguments.
    static int qtArgc;
    qtArgc = argc;
    QApplication qtApp(qtArgc, argv);
    QApplication::setApplicationName(ToQString(app->m_pszAppName));
    app->m_argc = qtArgc;
    app->m_argv = argv;

    int exitCode = 0;
    try {
        if (app->InitInstance()) {
            if (app->m_pMainWnd != nullptr) {
                QApplication::exec();
            }
            exitCode = app->ExitInstance();
        } else {
            // Unlike the old framework, which ended a failed start-up with status 0, the
            // status tells a script that the request failed.
            app->ExitInstance();
            exitCode = app->m_nStartupExitCode;
        }
    } catch (const std::exception& error) {
        AfxMessageBox(CString("The program must end after an unexpected error:\n") + error.what(),
                      MB_OK | MB_ICONSTOP);
        app->ExitInstance();
        exitCode = 1;
    }
    AfxReleasePrinter();
    return exitCode;
}

}  // namespace platform

#include "private_xvfb.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

// Xvfb's pid and display name, or -1 when it cannot be started.
std::pair<pid_t, std::string> StartXvfb() {
    int displayPipe[2];
    if (pipe(displayPipe) != 0) {
        return {-1, {}};
    }
    const pid_t pid = fork();
    if (pid == 0) {
        // The server goes with the test, even when the test crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(displayPipe[0]);
        const std::string fd = std::to_string(displayPipe[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(displayPipe[1]);
    std::string number;
    char ch = 0;
    while (pid > 0 && read(displayPipe[0], &ch, 1) == 1 && ch != '\n') {
        number.push_back(ch);
    }
    close(displayPipe[0]);
    if (pid <= 0 || number.empty()) {
        if (pid > 0) {
            waitpid(pid, nullptr, 0);
        }
        return {-1, {}};
    }
    return {pid, ":" + number};
}

}  // namespace

bool OnX11() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

int RunOnPrivateXvfb(int argc, char** argv, const std::function<int()>& run) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    const auto [xvfb, display] = StartXvfb();
    if (xvfb > 0) {
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        result = run();
    }
    if (xvfb > 0) {
        kill(xvfb, SIGTERM);
        waitpid(xvfb, nullptr, 0);
    }
    return result;
}

// Lock-key state read from a real X server: the test starts its own Xvfb, so it needs no
// display of the machine's and never touches one.
#include "lock_keys.h"

#include <QtGui/qguiapplication_platform.h>
#include <QApplication>

#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <string>

namespace platform {
namespace {

Display* X11Display() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

class LockKeysOnX11 : public ::testing::Test {
protected:
    void SetUp() override {
        m_display = X11Display();
        if (m_display == nullptr) {
            GTEST_SKIP() << "no X server (Xvfb is not installed)";
        }
    }
    void TearDown() override {
        if (m_display != nullptr) {
            XkbLockModifiers(m_display, XkbUseCoreKbd, 0xFF, 0);
            XSync(m_display, False);
        }
    }
    void lock(unsigned int mask, bool on) {
        XkbLockModifiers(m_display, XkbUseCoreKbd, mask, on ? mask : 0);
        XSync(m_display, False);
    }

    Display* m_display = nullptr;
};

TEST_F(LockKeysOnX11, FollowTheKeyboardIndicators) {
    EXPECT_EQ(CurrentLockKeys(), (LockKeyState{true, false, false, false}));

    lock(LockMask, true);
    EXPECT_EQ(CurrentLockKeys(), (LockKeyState{true, true, false, false}));

    const unsigned int numLockMask = XkbKeysymToModifiers(m_display, XK_Num_Lock);
    ASSERT_NE(numLockMask, 0u);
    lock(numLockMask, true);
    EXPECT_EQ(CurrentLockKeys(), (LockKeyState{true, true, true, false}));

    lock(LockMask, false);
    EXPECT_EQ(CurrentLockKeys(), (LockKeyState{true, false, true, false}));
}

TEST_F(LockKeysOnX11, ScrollLockIsItsOwnIndicator) {
    const Atom scrollLock = XInternAtom(m_display, "Scroll Lock", False);
    ASSERT_TRUE(XkbSetNamedIndicator(m_display, scrollLock, True, True, False, nullptr));
    XSync(m_display, False);
    EXPECT_TRUE(CurrentLockKeys().scrollLock);
    EXPECT_FALSE(CurrentLockKeys().capsLock);
    XkbSetNamedIndicator(m_display, scrollLock, True, False, False, nullptr);
    XSync(m_display, False);
    EXPECT_FALSE(CurrentLockKeys().scrollLock);
}

// Starts Xvfb on a free display and returns its pid and display name, or -1 when it cannot.
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
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
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
}  // namespace platform

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    const auto [xvfb, display] = platform::StartXvfb();
    if (xvfb > 0) {
        setenv("DISPLAY", display.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (xvfb > 0) {
        kill(xvfb, SIGTERM);
        waitpid(xvfb, nullptr, 0);
    }
    return result;
}

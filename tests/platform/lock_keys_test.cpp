// Lock-key state read from a real X server: the test starts its own Xvfb, so it needs no
// display of the machine's and never touches one.
#include "lock_keys.h"
#include "private_xvfb.h"

#include <QtGui/qguiapplication_platform.h>
#include <QApplication>

#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/keysym.h>

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

}  // namespace
}  // namespace platform

int main(int argc, char** argv) {
    return RunOnPrivateXvfb(argc, argv, [] { return RUN_ALL_TESTS(); });
}

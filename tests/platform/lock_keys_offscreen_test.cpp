#include "lock_keys.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(LockKeysOffX11, EveryKeyReadsAsOffAndTheStateAsUnknown) {
    EXPECT_EQ(CurrentLockKeys(), LockKeyState{});
}

}  // namespace
}  // namespace platform

#pragma once
// A small program's resources for the layer's tests: a menu, accelerators, a toolbar,
// strings and dialogs of its own, so the tests depend on nothing of vorlexi.

#include "resource_types.h"

namespace test_resources {

inline constexpr platform::UINT IDR_TEST = 128;
inline constexpr platform::UINT IDD_TEST = 200;
inline constexpr platform::UINT IDD_MISSING = 299;

inline constexpr platform::UINT ID_TEST_BOTH = 32800;      // handled by the view and the app
inline constexpr platform::UINT ID_TEST_APP_ONLY = 32801;  // handled by the app alone
inline constexpr platform::UINT ID_TEST_NONE = 32802;      // handled by nobody
inline constexpr platform::UINT ID_TEST_THROW = 32803;     // the view's handler throws
inline constexpr platform::UINT ID_TEST_CHECK = 32804;     // an update handler checks it
inline constexpr platform::UINT ID_TEST_DISABLED = 32805;  // an update handler disables it
inline constexpr platform::UINT ID_TEST_OOM = 32806;       // the view's handler runs out of memory

inline constexpr int IDC_NAME = 1000;
inline constexpr int IDC_VALUE = 1001;
inline constexpr int IDC_FLAG = 1003;
inline constexpr int IDC_OTHER_BUTTON = 1010;

const platform::ResourceModule& Module();

}  // namespace test_resources

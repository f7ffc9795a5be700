#pragma once
// The old framework's basic types and the window, bar and message-box styles that the
// program's classes and the layer use. No window handles exist: windows are Qt widgets
// behind the layer's classes, and these values only select behaviour.

#include "framework_ids.h"
#include "resource_types.h"

#include <cstdint>

namespace platform {

using BOOL = int;
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

using DWORD = std::uint32_t;
using LONG = std::int32_t;
using INT_PTR = std::intptr_t;
using LPCTSTR = const char*;

struct CRect {
    LONG left = 0, top = 0, right = 0, bottom = 0;
};

// A window's creation parameters, handed to PreCreateWindow and OnCreate: the style that
// PreCreateWindow may change, and what the frame needs to create its view.
struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    LONG style = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

// The horizontal scroll bar (the other window styles are with the dialog templates').
inline constexpr DWORD WS_HSCROLL = 0x00100000;

// Control-bar styles.
inline constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
inline constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
inline constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
inline constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
inline constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
inline constexpr DWORD CBRS_BORDER_TOP = 0x0200;
inline constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
inline constexpr DWORD CBRS_TOOLTIPS = 0x0010;
inline constexpr DWORD CBRS_FLYBY = 0x0020;
inline constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
inline constexpr DWORD CBRS_GRIPPER = 0x00400000;
inline constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
inline constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
inline constexpr DWORD TBSTYLE_FLAT = 0x0800;

// Show commands.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOW = 5;

// Message-box buttons and icons.
inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_OKCANCEL = 0x0001;
inline constexpr UINT MB_YESNOCANCEL = 0x0003;
inline constexpr UINT MB_ICONSTOP = 0x0010;
inline constexpr UINT MB_ICONQUESTION = 0x0020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x0030;
inline constexpr UINT MB_TYPEMASK = 0x000F;
inline constexpr UINT MB_ICONMASK = 0x00F0;

}  // namespace platform

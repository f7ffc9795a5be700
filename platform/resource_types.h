#pragma once
// The program's resources as plain data: what the old framework loaded from the
// executable's resource section. The program defines them in res/ and hands the
// whole module to the layer at start-up (AfxSetResourceModule); the layer builds
// Qt widgets from them and includes nothing of the program.
//
// Texts are single-byte Windows-1252, as the resource compiler stored them; the
// layer converts them to Unicode where they meet Qt.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

using UINT = std::uint32_t;

// Menu item flags (the resource compiler's MF_ values).
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_SEPARATOR = 0x0800;

// One item of a menu bar or of a pop-up menu. "&" marks the mnemonic, "\t"
// separates the shortcut text. A pop-up item lists its children in `popup`.
struct MenuItemTemplate {
    const char* text;
    UINT id;
    UINT flags;
    std::span<const MenuItemTemplate> popup;
};

struct MenuTemplate {
    UINT id;
    std::span<const MenuItemTemplate> items;  // the menu bar's pop-ups, left to right
};

// Accelerator flags and virtual-key codes (the resource compiler's values).
inline constexpr UINT FVIRTKEY = 0x01;
inline constexpr UINT FSHIFT = 0x04;
inline constexpr UINT FCONTROL = 0x08;
inline constexpr UINT FALT = 0x10;

inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_DELETE = 0x2E;
inline constexpr UINT VK_INSERT = 0x2D;
inline constexpr UINT VK_F6 = 0x75;

struct AcceleratorEntry {
    UINT flags;  // FVIRTKEY plus the modifiers
    UINT key;    // virtual-key code; 'A'..'Z' for letters
    UINT command;
};

struct AcceleratorTable {
    UINT id;
    std::span<const AcceleratorEntry> entries;
};

struct StringTableEntry {
    UINT id;
    const char* text;
};

// A 16-colour image in the standard VGA palette (0 black ... 15 white), one text
// row a pixel row, one hexadecimal digit a pixel ('0'-'9', 'A'-'F'). Icons may use
// ' ' for a transparent pixel. Rows run top to bottom.
struct Image16 {
    int width;
    int height;
    std::span<const char* const> rows;
};

// The standard VGA palette as 0xRRGGBB, indexed by the digit of an Image16 pixel.
// Toolbar bitmaps paint their background in light grey (7), which stands for the
// button face, as in the old framework's toolbar bitmaps.
inline constexpr std::uint32_t kPalette16[16] = {
    0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
    0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF,
};

// A bitmap resource: one 16-colour image.
struct BitmapResource {
    UINT id;
    Image16 image;
};

// An icon resource: the same picture at several sizes (32x32 and 16x16).
struct IconResource {
    UINT id;
    std::span<const Image16> images;
};

// A toolbar resource (RT_TOOLBAR): 16-bit little-endian words: version, button
// width, button height, item count, then the item ids; id 0 is a separator.
// The images come from the bitmap of the same id.
struct ToolbarResource {
    UINT id;
    std::span<const std::uint16_t> words;
};

inline constexpr std::uint16_t kToolbarVersion = 1;

// The words of a toolbar resource from its button size and its items, the count
// counted rather than written down.
template <std::size_t N>
constexpr std::array<std::uint16_t, 4 + N> ToolbarWords(std::uint16_t buttonWidth,
                                                        std::uint16_t buttonHeight,
                                                        const UINT (&items)[N]) {
    std::array<std::uint16_t, 4 + N> words{kToolbarVersion, buttonWidth, buttonHeight,
                                           static_cast<std::uint16_t>(N)};
    for (std::size_t i = 0; i < N; ++i) {
        words[4 + i] = static_cast<std::uint16_t>(items[i]);
    }
    return words;
}

// Window and control styles used by dialog templates (the Win32 values).
inline constexpr UINT WS_POPUP = 0x80000000;
inline constexpr UINT WS_CHILD = 0x40000000;
inline constexpr UINT WS_VISIBLE = 0x10000000;
inline constexpr UINT WS_CAPTION = 0x00C00000;
inline constexpr UINT WS_BORDER = 0x00800000;
inline constexpr UINT WS_SYSMENU = 0x00080000;
inline constexpr UINT WS_GROUP = 0x00020000;
inline constexpr UINT WS_TABSTOP = 0x00010000;
inline constexpr UINT DS_SETFONT = 0x0040;
inline constexpr UINT DS_MODALFRAME = 0x0080;
inline constexpr UINT BS_PUSHBUTTON = 0x0000;
inline constexpr UINT BS_DEFPUSHBUTTON = 0x0001;
inline constexpr UINT BS_AUTOCHECKBOX = 0x0003;
inline constexpr UINT ES_LEFT = 0x0000;
inline constexpr UINT ES_AUTOHSCROLL = 0x0080;
inline constexpr UINT SS_LEFT = 0x0000;
inline constexpr UINT SS_ICON = 0x0003;
inline constexpr UINT SS_NOPREFIX = 0x0080;

inline constexpr int IDC_STATIC = -1;

enum class ControlClass { Button, Edit, Static };

// One control of a dialog template, rectangle in dialog units. For an SS_ICON
// static, `text` is empty and `iconId` names the icon resource.
struct DialogItemTemplate {
    ControlClass controlClass;
    int id;
    const char* text;
    short x, y, cx, cy;
    UINT style;
    UINT iconId = 0;
};

struct DialogTemplate {
    UINT id;
    const char* caption;
    short x, y, cx, cy;
    UINT style;
    const char* faceName;  // the template's font; DS_SETFONT
    int pointSize;
    std::span<const DialogItemTemplate> items;  // template order = tab order
};

// Operating system and file type of a version record (the resource compiler's values).
inline constexpr UINT VOS__WINDOWS32 = 0x0004;
inline constexpr UINT VFT_APP = 0x0001;

// The version record: fixed versions as four 16-bit parts, and the string block.
struct VersionString {
    const char* key;
    const char* value;
};

struct VersionInfo {
    std::uint16_t fileVersion[4];
    std::uint16_t productVersion[4];
    UINT language;  // 0x0409
    UINT codePage;  // 1200
    std::span<const VersionString> strings;
    UINT fileOS = 0;     // a VOS_ value
    UINT fileType = 0;   // a VFT_ value
    UINT fileFlags = 0;  // VS_FF_ flags
};

// Everything the program's module holds.
struct ResourceModule {
    std::span<const MenuTemplate> menus;
    std::span<const AcceleratorTable> accelerators;
    std::span<const StringTableEntry> strings;
    std::span<const BitmapResource> bitmaps;
    std::span<const IconResource> icons;
    std::span<const ToolbarResource> toolbars;
    std::span<const DialogTemplate> dialogs;
    const VersionInfo* version;
};

}  // namespace platform

// Bitmap 128: the toolbar's eight 16x15 button images side by side, in button
// order. Each image is drawn on its own below and joined into the 128x15 strip at
// compile time. Pixels are VGA palette digits; light grey (7) is the button face.

#include <algorithm>
#include <array>
#include <cstddef>

#include "resource_ids.h"
#include "resource_tables.h"

namespace vorlexi::res {
namespace {

constexpr int kButtonWidth = kToolbarButtonWidth;
constexpr int kButtonHeight = kToolbarButtonHeight;

using ButtonImage = std::array<const char*, kButtonHeight>;

// New: a blank page with its corner folded.
constexpr ButtonImage kNew = {
    "7777777777777777",
    "7770000000077777",
    "7770FFFFFF0F0777",
    "7770FFFFFF0FF077",
    "7770FFFFFF000077",
    "7770FFFFFFFFF077",
    "7770FFFFFFFFF077",
    "7770FFFFFFFFF077",
    "7770FFFFFFFFF077",
    "7770FFFFFFFFF077",
    "7770FFFFFFFFF077",
    "7770FFFFFFFFF077",
    "7770FFFFFFFFF077",
    "7770000000000077",
    "7777777777777777",
};

// Open: an open folder.
constexpr ButtonImage kOpen = {
    "7777777777777777",
    "7777777777777777",
    "7777777777777777",
    "7770000777777777",
    "7706666077777777",
    "7066666600000077",
    "7066666666666077",
    "7066600000000000",
    "70660EEEEEEEEE07",
    "7060EEEEEEEEE077",
    "700EEEEEEEEE0777",
    "70EEEEEEEEE07777",
    "7000000000007777",
    "7777777777777777",
    "7777777777777777",
};

// Save: a disk.
constexpr ButtonImage kSave = {
    "7777777777777777",
    "7000000000000007",
    "7011FFFFFFFF1107",
    "7011F888888F1107",
    "7011FFFFFFFF1107",
    "7011F888888F1107",
    "7011FFFFFFFF1107",
    "7011111111111107",
    "7011111111111107",
    "7011777777771107",
    "7011770077771107",
    "7011770077771107",
    "7011777777771107",
    "7000000000000007",
    "7777777777777777",
};

// Cut: scissors.
constexpr ButtonImage kCut = {
    "7777777777777777",
    "7777077777707777",
    "7777077777707777",
    "7777707777077777",
    "7777707777077777",
    "7777770770777777",
    "7777777007777777",
    "7777777007777777",
    "7777774774777777",
    "7774447777444777",
    "7747774774777477",
    "7747774774777477",
    "7747774774777477",
    "7774447777444777",
    "7777777777777777",
};

// Copy: two pages.
constexpr ButtonImage kCopy = {
    "7777777777777777",
    "7000000000777777",
    "70FFFFFFF0777777",
    "70F88888F0777777",
    "70FFFFFFF0777777",
    "70F8880000000007",
    "70FFFF0FFFFFFF07",
    "70F8880F88888F07",
    "70FFFF0FFFFFFF07",
    "70FFFF0F88888F07",
    "7000000FFFFFFF07",
    "7777770F88888F07",
    "7777770FFFFFFF07",
    "7777770000000007",
    "7777777777777777",
};

// Paste: a page on a clipboard.
constexpr ButtonImage kPaste = {
    "7777777777777777",
    "7777700007777777",
    "7000008800000777",
    "7066088880660777",
    "7066000000660777",
    "7066666666660777",
    "7066666000000000",
    "70666660FFFFFFF0",
    "70666660F88888F0",
    "70666660FFFFFFF0",
    "70666660F88888F0",
    "70666660FFFFFFF0",
    "7000000000000000",
    "7777777777777777",
    "7777777777777777",
};

// Print: a printer with a page.
constexpr ButtonImage kPrint = {
    "7777777777777777",
    "7777000000000777",
    "77770FFFFFFF0777",
    "77770F88888F0777",
    "77770FFFFFFF0777",
    "7000000000000007",
    "70FFFFFFFFFFFF07",
    "707777777777AA07",
    "7077777777777707",
    "7000000000000007",
    "7770FFFFFFFFF077",
    "7770F8888888F077",
    "7770FFFFFFFFF077",
    "7770000000000077",
    "7777777777777777",
};

// About: a question mark in a speech balloon.
constexpr ButtonImage kAbout = {
    "7777777777777777",
    "7770000000000777",
    "770FFFFFFFFFF077",
    "70FFFF1111FFFF07",
    "70FFF11FF11FFF07",
    "70FFFFFFF11FFF07",
    "70FFFFFF11FFFF07",
    "70FFFFF11FFFFF07",
    "70FFFFF11FFFFF07",
    "70FFFFFFFFFFFF07",
    "770FFFF11FFFF077",
    "7770FF0000000777",
    "7770F07777777777",
    "7770077777777777",
    "7777777777777777",
};

constexpr std::array kButtons = {kNew, kOpen, kSave, kCut, kCopy, kPaste, kPrint, kAbout};
constexpr int kStripWidth = kButtonWidth * static_cast<int>(kButtons.size());

constexpr bool IsPaletteDigit(char pixel) {
    return (pixel >= '0' && pixel <= '9') || (pixel >= 'A' && pixel <= 'F');
}

// A short row would otherwise shift every later button in the strip.
constexpr bool IsWellFormed(const ButtonImage& image) {
    for (const char* row : image) {
        int width = 0;
        while (row[width] != '\0') {
            if (!IsPaletteDigit(row[width])) return false;
            ++width;
        }
        if (width != kButtonWidth) return false;
    }
    return true;
}
static_assert(std::all_of(kButtons.begin(), kButtons.end(), IsWellFormed),
              "every button image is 16x15 palette digits");

using StripRow = std::array<char, kStripWidth + 1>;

constexpr std::array<StripRow, kButtonHeight> JoinSideBySide() {
    std::array<StripRow, kButtonHeight> strip{};
    for (int y = 0; y < kButtonHeight; ++y) {
        for (std::size_t button = 0; button < kButtons.size(); ++button) {
            for (int x = 0; x < kButtonWidth; ++x) {
                strip[y][button * kButtonWidth + x] = kButtons[button][y][x];
            }
        }
        strip[y][kStripWidth] = '\0';
    }
    return strip;
}

constexpr std::array<StripRow, kButtonHeight> kStrip = JoinSideBySide();

constexpr std::array<const char*, kButtonHeight> StripRowPointers() {
    std::array<const char*, kButtonHeight> rows{};
    for (int y = 0; y < kButtonHeight; ++y) rows[y] = kStrip[y].data();
    return rows;
}

constexpr std::array<const char*, kButtonHeight> kStripRows = StripRowPointers();

constexpr platform::BitmapResource kBitmaps[] = {
    {IDR_MAINFRAME, {kStripWidth, kButtonHeight, kStripRows}},
};

}  // namespace

std::span<const platform::BitmapResource> Bitmaps() { return kBitmaps; }

}  // namespace vorlexi::res

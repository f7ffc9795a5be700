// Toolbar 128: the button ids in order, 0 for a separator. The images are the
// buttons of bitmap 128, left to right; separators have none.

#include <cstdint>

#include "resource_ids.h"
#include "resource_tables.h"

namespace vorlexi::res {
namespace {

using namespace platform;

constexpr std::uint16_t kVersion = 1;
constexpr std::uint16_t kButtonWidth = 16;
constexpr std::uint16_t kButtonHeight = 15;
constexpr std::uint16_t kItemCount = 11;

constexpr std::uint16_t kMainFrameWords[] = {
    kVersion, kButtonWidth, kButtonHeight, kItemCount,
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,
    ID_SEPARATOR,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
    ID_SEPARATOR,
    ID_FILE_PRINT,
    ID_SEPARATOR,
    ID_APP_ABOUT,
};

constexpr ToolbarResource kToolbars[] = {
    {IDR_MAINFRAME, kMainFrameWords},
};

}  // namespace

std::span<const ToolbarResource> Toolbars() { return kToolbars; }

}  // namespace vorlexi::res

// Toolbar 128: the buttons in order, ID_SEPARATOR for a separator. The images are the
// buttons of bitmap 128, left to right; separators have none.

#include "resource_ids.h"
#include "resource_tables.h"

namespace vorlexi::res {
namespace {

using namespace platform;

constexpr UINT kMainFrameItems[] = {
    ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE,
    ID_SEPARATOR,
    ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
    ID_SEPARATOR,
    ID_FILE_PRINT,
    ID_SEPARATOR,
    ID_APP_ABOUT,
};

constexpr auto kMainFrameWords = ToolbarWords(kToolbarButtonWidth, kToolbarButtonHeight,
                                              kMainFrameItems);

constexpr ToolbarResource kToolbars[] = {
    {IDR_MAINFRAME, kMainFrameWords},
};

}  // namespace

std::span<const ToolbarResource> Toolbars() { return kToolbars; }

}  // namespace vorlexi::res

// Menu 128: the main window's menu bar.

#include "resource_ids.h"
#include "resource_tables.h"

namespace vorlexi::res {
namespace {

using platform::MenuItemTemplate;
using platform::MF_GRAYED;
using platform::MF_POPUP;
using platform::MF_SEPARATOR;
using platform::MF_STRING;

constexpr MenuItemTemplate kSeparator{"", 0, MF_SEPARATOR, {}};

// "Recent File" is the grayed placeholder that the framework replaces with the
// recent-file entries, ID_FILE_MRU_FILE1 upward.
constexpr MenuItemTemplate kFileMenu[] = {
    {"&New\tCtrl+N", platform::ID_FILE_NEW, MF_STRING, {}},
    {"&Open...\tCtrl+O", platform::ID_FILE_OPEN, MF_STRING, {}},
    {"&Save\tCtrl+S", platform::ID_FILE_SAVE, MF_STRING, {}},
    {"Save &As...", platform::ID_FILE_SAVE_AS, MF_STRING, {}},
    kSeparator,
    {"&Print...\tCtrl+P", platform::ID_FILE_PRINT, MF_STRING, {}},
    {"Print Pre&view", platform::ID_FILE_PRINT_PREVIEW, MF_STRING, {}},
    {"P&rint Setup...", platform::ID_FILE_PRINT_SETUP, MF_STRING, {}},
    kSeparator,
    {"Recent File", platform::ID_FILE_MRU_FILE1, MF_GRAYED, {}},
    kSeparator,
    {"E&xit", platform::ID_APP_EXIT, MF_STRING, {}},
};

constexpr MenuItemTemplate kEditMenu[] = {
    {"&Undo\tCtrl+Z", platform::ID_EDIT_UNDO, MF_STRING, {}},
    kSeparator,
    {"Cu&t\tCtrl+X", platform::ID_EDIT_CUT, MF_STRING, {}},
    {"&Copy\tCtrl+C", platform::ID_EDIT_COPY, MF_STRING, {}},
    {"&Paste\tCtrl+V", platform::ID_EDIT_PASTE, MF_STRING, {}},
};

constexpr MenuItemTemplate kViewMenu[] = {
    {"&Toolbar", platform::ID_VIEW_TOOLBAR, MF_STRING, {}},
    {"&Status Bar", platform::ID_VIEW_STATUS_BAR, MF_STRING, {}},
};

// The program's own menu; neither it nor its item has a mnemonic.
constexpr MenuItemTemplate kActionsMenu[] = {
    {"Calc Filter", ID_CALC_FILTER, MF_STRING, {}},
};

constexpr MenuItemTemplate kHelpMenu[] = {
    {"&About vorlexi...", platform::ID_APP_ABOUT, MF_STRING, {}},
};

constexpr MenuItemTemplate kMenuBar[] = {
    {"&File", 0, MF_POPUP, kFileMenu},
    {"&Edit", 0, MF_POPUP, kEditMenu},
    {"&View", 0, MF_POPUP, kViewMenu},
    {"Actions", 0, MF_POPUP, kActionsMenu},
    {"&Help", 0, MF_POPUP, kHelpMenu},
};

constexpr platform::MenuTemplate kMenus[] = {
    {IDR_MAINFRAME, kMenuBar},
};

}  // namespace

std::span<const platform::MenuTemplate> Menus() { return kMenus; }

}  // namespace vorlexi::res

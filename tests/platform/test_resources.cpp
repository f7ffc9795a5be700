#include "test_resources.h"

#include "framework_ids.h"

#include <array>

namespace test_resources {

using namespace platform;

namespace {

constexpr std::array<MenuItemTemplate, 7> kFileMenu{{
    {"&New\tCtrl+N", ID_FILE_NEW, MF_STRING, {}},
    {"&Open...\tCtrl+O", ID_FILE_OPEN, MF_STRING, {}},
    {"&Save\tCtrl+S", ID_FILE_SAVE, MF_STRING, {}},
    {"", 0, MF_SEPARATOR, {}},
    {"Recent File", ID_FILE_MRU_FILE1, MF_GRAYED, {}},
    {"", 0, MF_SEPARATOR, {}},
    {"E&xit", ID_APP_EXIT, MF_STRING, {}},
}};
constexpr std::array<MenuItemTemplate, 4> kEditMenu{{
    {"&Undo\tCtrl+Z", ID_EDIT_UNDO, MF_STRING, {}},
    {"Cu&t\tCtrl+X", ID_EDIT_CUT, MF_STRING, {}},
    {"&Copy\tCtrl+C", ID_EDIT_COPY, MF_STRING, {}},
    {"&Paste\tCtrl+V", ID_EDIT_PASTE, MF_STRING, {}},
}};
constexpr std::array<MenuItemTemplate, 2> kViewMenu{{
    {"&Toolbar", ID_VIEW_TOOLBAR, MF_STRING, {}},
    {"&Status Bar", ID_VIEW_STATUS_BAR, MF_STRING, {}},
}};
constexpr std::array<MenuItemTemplate, 7> kTestMenu{{
    {"&Both\tCtrl+B", ID_TEST_BOTH, MF_STRING, {}},
    {"App only", ID_TEST_APP_ONLY, MF_STRING, {}},
    {"&Nobody", ID_TEST_NONE, MF_STRING, {}},
    {"&Throw", ID_TEST_THROW, MF_STRING, {}},
    {"&Checked", ID_TEST_CHECK, MF_STRING, {}},
    {"&Disabled", ID_TEST_DISABLED, MF_STRING, {}},
    {"&Out of memory", ID_TEST_OOM, MF_STRING, {}},
}};
constexpr std::array<MenuItemTemplate, 4> kMenuBar{{
    {"&File", 0, MF_POPUP, kFileMenu},
    {"&Edit", 0, MF_POPUP, kEditMenu},
    {"&View", 0, MF_POPUP, kViewMenu},
    {"Tests", 0, MF_POPUP, kTestMenu},
}};
constexpr std::array<MenuTemplate, 1> kMenus{{{IDR_TEST, kMenuBar}}};

constexpr std::array<AcceleratorEntry, 11> kAcceleratorEntries{{
    {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
    {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
    {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
    {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
    {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
    {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
    {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
    {FVIRTKEY, VK_F6, ID_NEXT_PANE},
    {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
    {FVIRTKEY | FCONTROL, 'B', ID_TEST_BOTH},
    {FVIRTKEY | FCONTROL, 'A', ID_TEST_BOTH},  // a key the text widget wants for itself
}};
constexpr std::array<AcceleratorTable, 1> kAccelerators{{{IDR_TEST, kAcceleratorEntries}}};

constexpr std::array<StringTableEntry, 16> kStrings{{
    {IDR_TEST, "testapp\n\nTest\n\n\nTest.Document\nTest Document"},
    {AFX_IDS_APP_TITLE, "testapp"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_MRU_FILE1, "Open this document"},
    {ID_EDIT_COPY, "Copy the selection\nCopy"},
    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_TEST_BOTH, "Run the test command\nBoth"},
    {ID_TEST_APP_ONLY, "Only the application runs this"},
    {ID_TEST_CHECK, "A checked command\nChecked"},
}};

// Three 16x15 buttons; light grey (7) is the button face.
constexpr const char* kStripRow =
    "7777777777777777"
    "7000000000000007"
    "77777777CCCC7777";
constexpr std::array<const char*, 15> kStripRows{{
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
    kStripRow,
}};
constexpr std::array<BitmapResource, 1> kBitmaps{{{IDR_TEST, {48, 15, kStripRows}}}};

constexpr UINT kToolbarItems[] = {ID_FILE_NEW, ID_SEPARATOR, ID_TEST_BOTH, ID_FILE_OPEN};
constexpr auto kToolbarWords = ToolbarWords(16, 15, kToolbarItems);
constexpr std::array<ToolbarResource, 1> kToolbars{{{IDR_TEST, kToolbarWords}}};

constexpr const char* kIconRow = "0123456789ABCDEF0123456789ABCDE ";
constexpr std::array<const char*, 32> kIconRows{{
    kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow,
    kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow,
    kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow,
    kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow, kIconRow,
}};
constexpr std::array<Image16, 1> kIconImages{{{32, 32, kIconRows}}};
constexpr std::array<IconResource, 1> kIcons{{{IDR_TEST, kIconImages}}};

constexpr UINT kChild = WS_CHILD | WS_VISIBLE;
constexpr std::array<DialogItemTemplate, 10> kDialogItems{{
    {ControlClass::Button, IDOK, "OK", 98, 80, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {ControlClass::Button, IDCANCEL, "Cancel", 7, 80, 50, 14, kChild | WS_TABSTOP},
    {ControlClass::Static, IDC_STATIC, "Name", 10, 10, 65, 8, kChild | WS_GROUP},
    {ControlClass::Static, IDC_STATIC, "Value", 10, 25, 16, 8, kChild | WS_GROUP},
    {ControlClass::Edit, IDC_NAME, "", 88, 8, 40, 14,
     kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {ControlClass::Edit, IDC_VALUE, "", 88, 23, 40, 14,
     kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {ControlClass::Button, IDC_FLAG, "Flag", 10, 40, 47, 10, kChild | BS_AUTOCHECKBOX | WS_TABSTOP},
    {ControlClass::Static, IDC_STATIC, "", 130, 40, 21, 20, kChild | SS_ICON, IDR_TEST},
    {ControlClass::Button, IDC_OTHER_BUTTON, "More", 60, 80, 30, 14, kChild | WS_TABSTOP},
    {ControlClass::Static, IDC_STATIC, "Not a tab stop & no prefix", 10, 60, 80, 8,
     kChild | SS_NOPREFIX},
}};
constexpr std::array<DialogTemplate, 1> kDialogs{{
    {IDD_TEST, "Enter values", 0, 0, 155, 102,
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, "MS Sans Serif", 8,
     kDialogItems},
}};

constexpr std::array<VersionString, 2> kVersionStrings{{
    {"ProductName", "test application"},
    {"LegalCopyright", "\xA9 nobody"},
}};
constexpr VersionInfo kVersion{{1, 2, 3, 4}, {1, 2, 3, 4}, 0x0409, 1200, kVersionStrings};

constexpr ResourceModule kModule{kMenus, kAccelerators, kStrings, kBitmaps,
                                 kIcons, kToolbars,     kDialogs, &kVersion};

}  // namespace

const ResourceModule& Module() { return kModule; }

}  // namespace test_resources

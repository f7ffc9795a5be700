// The string table: the document string, the application's title and idle
// message, and the prompts of the commands. A prompt reads "status bar text\ntooltip";
// the status bar shows the part before "\n", a toolbar button's tooltip the part after.
// Calc Filter and print-direct have no entry, so their prompts are empty.

#include "resource_ids.h"
#include "resource_tables.h"

namespace vorlexi::res {
namespace {

using namespace platform;

constexpr char kOpenRecent[] = "Open this document";

constexpr StringTableEntry kStrings[] = {
    // Window title, default document name, new-file type name, filter name, filter
    // extension, registry type id and registry type name.
    {IDR_MAINFRAME, "vorlexi\n\nVorlex\n\n\nVorlexi.Document\nVorlex Document"},

    {AFX_IDS_APP_TITLE, "vorlexi"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},

    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_CLOSE, "Close the active document\nClose"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_FILE_PAGE_SETUP, "Change the printing options\nPage Setup"},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup"},
    {ID_FILE_PRINT, "Print the active document\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview"},

    // One entry for each recent-file command the framework may number.
    {ID_FILE_MRU_FILE1 + 0, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 1, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 2, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 3, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 4, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 5, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 6, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 7, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 8, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 9, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 10, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 11, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 12, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 13, kOpenRecent},
    {ID_FILE_MRU_FILE1 + 14, kOpenRecent},
    {ID_FILE_MRU_LAST, kOpenRecent},

    {ID_EDIT_CLEAR, "Erase the selection\nErase"},
    {ID_EDIT_CLEAR_ALL, "Erase everything\nErase All"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
    {ID_EDIT_FIND, "Find the specified text\nFind"},
    {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
    {ID_EDIT_REPEAT, "Repeat the last action\nRepeat"},
    {ID_EDIT_REPLACE, "Replace specific text with different text\nReplace"},
    {ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All"},
    {ID_EDIT_UNDO, "Undo the last action\nUndo"},
    {ID_EDIT_REDO, "Redo the previously undone action\nRedo"},
    {ID_WINDOW_SPLIT, "Split the active window into panes\nSplit"},

    {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
    {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},

    // Status-bar indicators; only CAP, NUM and SCRL are shown.
    {ID_INDICATOR_EXT, "EXT"},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
    {ID_INDICATOR_OVR, "OVR"},
    {ID_INDICATOR_REC, "REC"},

    {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
    {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},

    // The window's system-menu commands.
    {AFX_IDS_SCSIZE, "Change the window size"},
    {AFX_IDS_SCMOVE, "Change the window position"},
    {AFX_IDS_SCMINIMIZE, "Reduce the window to an icon"},
    {AFX_IDS_SCMAXIMIZE, "Enlarge the window to full size"},
    {AFX_IDS_SCNEXTWINDOW, "Switch to the next document window"},
    {AFX_IDS_SCPREVWINDOW, "Switch to the previous document window"},
    {AFX_IDS_SCCLOSE, "Close the active window and prompts to save the documents"},
    {AFX_IDS_SCRESTORE, "Restore the window to normal size"},
    {AFX_IDS_SCTASKLIST, "Activate Task List"},

    {AFX_ID_PREVIEW_CLOSE, "Close print preview mode\nCancel Preview"},
};

}  // namespace

std::span<const StringTableEntry> StringTable() { return kStrings; }

}  // namespace vorlexi::res

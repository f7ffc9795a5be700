#pragma once
// Message boxes and the framework's other questions to the user (file names, print
// options), behind replaceable answers so that tests and scripted runs can give them.

#include "cstring.h"

#include <functional>

class QString;
class QWidget;

namespace platform {

// Shows text with the MB_ buttons and icon of type over the main window; returns IDOK,
// IDCANCEL, IDYES or IDNO. Errors also go to standard error, and with no display to show
// them on, every message does and the answer is the safe one (Cancel, No, or OK).
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK);
// The same for text that is already Unicode (messages naming files, whose names need not
// fit Windows-1252); an installed answer function sees it in Windows-1252.
int ShowMessageBox(const QString& text, UINT type = MB_OK);

// Answers that stand in for the user. Each empty function means: ask the user.
struct UserPrompts {
    // The answer to a message box, given its text and type.
    std::function<int(const CString& text, UINT type)> messageBox;
    // A file to open, or an empty string for Cancel.
    std::function<CString()> openFileName;
    // A file to save to, given the suggested name, or an empty string for Cancel.
    std::function<CString(const CString& suggested)> saveFileName;
    // Whether to go on printing after the print dialog (FALSE: Cancel).
    std::function<BOOL()> printDialog;
};

// Installs answers; returns the ones installed before.
UserPrompts SetUserPrompts(UserPrompts prompts);
const UserPrompts& GetUserPrompts();

// The main window's widget, owner of the framework's dialogs; null when there is none.
QWidget* MainWindowWidget();

}  // namespace platform

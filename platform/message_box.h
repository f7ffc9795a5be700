#pragma once
// Message boxes and the framework's other questions to the user (file names, print
// options), behind replaceable answers so that tests and scripted runs can give them.

#include "cstring.h"

#include <functional>

namespace platform {

// Shows text with the MB_ buttons and icon of type; returns IDOK, IDCANCEL, IDYES or IDNO.
// The owner is the main window when there is one. The text is also written to standard
// error when the program has no display to show it on.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK);
// The same with the string of id as text.
int AfxMessageBox(UINT stringId, UINT type = MB_OK);

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

}  // namespace platform

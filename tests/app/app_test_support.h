#pragma once
// What the desktop program's tests share: the program started once per test process on
// the offscreen platform, its windows, commands sent as a menu item sends them, and a way
// to act inside a modal dialog while DoModal runs.

#include "afx.h"
#include "main_frame.h"
#include "vorlexi_app.h"
#include "vorlexi_doc.h"
#include "vorlexi_view.h"

#include <QString>

#include <functional>
#include <string>

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QMainWindow;
class QWidget;

namespace platform {
class EditControl;
}

namespace app_test {

// The application object of the test process (made by the test main), started
// (InitInstance) on first use with no command-line argument, as a user starts the program.
CVorlexiApp& StartedApp();

CMainFrame& Frame();
QMainWindow& MainWindow();
CVorlexiView& View();
CVorlexiDoc& Document();
platform::EditControl& Editor();

// Carries out a command on the main window's route, as its menu item does.
void RunCommand(UINT id);

// Starts a clean, unmodified, untitled document whatever came before.
void StartCleanDocument();

// Runs action on the modal dialog as soon as it is open; action must close it. Schedule
// before the command that opens the dialog.
void WhenModalOpens(std::function<void(QWidget& dialog)> action);

// A control of an open dialog by its template id.
QLineEdit& EditField(QWidget& dialog, int id);
QCheckBox& CheckBox(QWidget& dialog, int id);
QAbstractButton& Button(QWidget& dialog, int id);

// The view's whole text as the Windows-1252 bytes a file would get.
std::string ViewText();

// Any question the framework asks without a test answering it fails the test instead of
// waiting for a user who is not there. Installed by the test main.
void FailOnUnansweredQuestions();

// Every test case, run inside the program's application object with its resources and
// FailOnUnansweredQuestions installed, the application then ended as a run ends it (the
// windows go while Qt is still there). Returns RUN_ALL_TESTS()'s status.
int RunAllTestsInTheProgram();

// Answers the framework's questions (message boxes, file names, print dialog) for the
// lifetime of the object, then restores the answers given before. Each answer may count
// how often it was asked.
class ScopedPrompts {
public:
    ScopedPrompts();
    ~ScopedPrompts();
    ScopedPrompts(const ScopedPrompts&) = delete;
    ScopedPrompts& operator=(const ScopedPrompts&) = delete;

    ScopedPrompts& MessageBox(int answer, int* asked = nullptr);
    ScopedPrompts& OpenFile(const QString& path, int* asked = nullptr);  // empty: Cancel
    ScopedPrompts& SaveFile(const QString& path, int* asked = nullptr);  // empty: Cancel
    ScopedPrompts& PrintDialog(bool print);

private:
    platform::UserPrompts m_previous;
    platform::UserPrompts m_answers;
};

}  // namespace app_test

#include "app_test_support.h"

#include "afx.h"
#include "edit_control.h"
#include "framework_ids.h"
#include "vorlexi_app.h"
#include "vorlexi_resources.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace app_test {

CVorlexiApp& StartedApp() {
    auto& app = static_cast<CVorlexiApp&>(*AfxGetApp());
    static const bool started = [&app] {
        static char programName[] = "vorlexi";
        static char* arguments[] = {programName, nullptr};
        app.m_argc = 1;
        app.m_argv = arguments;
        return app.InitInstance() != FALSE;
    }();
    if (!started) {
        ADD_FAILURE() << "InitInstance failed";
    }
    return app;
}

CMainFrame& Frame() {
    StartedApp();
    return *static_cast<CMainFrame*>(AfxGetMainWnd());
}

QMainWindow& MainWindow() { return *static_cast<QMainWindow*>(Frame().Widget()); }

CVorlexiView& View() { return *static_cast<CVorlexiView*>(Frame().GetActiveView()); }

CVorlexiDoc& Document() { return *static_cast<CVorlexiDoc*>(View().GetDocument()); }

platform::EditControl& Editor() { return *View().GetEditCtrl(); }

void RunCommand(UINT id) {
    Frame().OnCommand(id);
    QApplication::processEvents();
}

void StartCleanDocument() {
    ScopedPrompts discardChanges;
    discardChanges.MessageBox(IDNO);
    RunCommand(ID_FILE_NEW);
    ASSERT_FALSE(Document().IsModified());
    ASSERT_TRUE(Document().GetPathName().IsEmpty());
}

void WhenModalOpens(std::function<void(QWidget& dialog)> action) {
    // Polls until the dialog's own event loop runs, then acts from inside it.
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [action = std::move(action), poll](int attemptsLeft) {
        if (QWidget* dialog = QApplication::activeModalWidget(); dialog != nullptr) {
            action(*dialog);
            poll->operator=(nullptr);
            return;
        }
        if (attemptsLeft == 0) {
            ADD_FAILURE() << "no modal dialog opened";
            poll->operator=(nullptr);
            return;
        }
        QTimer::singleShot(10, [poll, attemptsLeft] {
            if (*poll) {
                (*poll)(attemptsLeft - 1);
            }
        });
    };
    QTimer::singleShot(0, [poll] { (*poll)(500); });
}

namespace {

template <class Widget>
Widget& DialogItem(QWidget& dialog, int id) {
    auto* item = dialog.findChild<Widget*>(QStringLiteral("dlgItem%1").arg(id));
    if (item == nullptr) {
        throw std::runtime_error("dialog has no control " + std::to_string(id) + " of that kind");
    }
    return *item;
}

}  // namespace

QLineEdit& EditField(QWidget& dialog, int id) { return DialogItem<QLineEdit>(dialog, id); }

QCheckBox& CheckBox(QWidget& dialog, int id) { return DialogItem<QCheckBox>(dialog, id); }

QAbstractButton& Button(QWidget& dialog, int id) { return DialogItem<QAbstractButton>(dialog, id); }

std::string ViewText() { return Editor().rawText(); }

void FailOnUnansweredQuestions() {
    platform::UserPrompts failing;
    failing.messageBox = [](const CString& text, UINT) {
        ADD_FAILURE() << "unexpected message box: " << text.GetString();
        return int(IDCANCEL);
    };
    failing.openFileName = [] {
        ADD_FAILURE() << "unexpected file dialog (open)";
        return CString();
    };
    failing.saveFileName = [](const CString&) {
        ADD_FAILURE() << "unexpected file dialog (save)";
        return CString();
    };
    failing.printDialog = [] {
        ADD_FAILURE() << "unexpected print dialog";
        return FALSE;
    };
    platform::SetUserPrompts(std::move(failing));
}

ScopedPrompts::ScopedPrompts() : m_previous(platform::GetUserPrompts()), m_answers(m_previous) {}

ScopedPrompts::~ScopedPrompts() { platform::SetUserPrompts(std::move(m_previous)); }

namespace {

void Count(int* asked) {
    if (asked != nullptr) {
        ++*asked;
    }
}

}  // namespace

ScopedPrompts& ScopedPrompts::MessageBox(int answer, int* asked) {
    m_answers.messageBox = [answer, asked](const CString&, UINT) {
        Count(asked);
        return answer;
    };
    platform::SetUserPrompts(m_answers);
    return *this;
}

ScopedPrompts& ScopedPrompts::OpenFile(const QString& path, int* asked) {
    m_answers.openFileName = [path, asked] {
        Count(asked);
        return CString(path.toStdString());
    };
    platform::SetUserPrompts(m_answers);
    return *this;
}

ScopedPrompts& ScopedPrompts::SaveFile(const QString& path, int* asked) {
    m_answers.saveFileName = [path, asked](const CString&) {
        Count(asked);
        return CString(path.toStdString());
    };
    platform::SetUserPrompts(m_answers);
    return *this;
}

ScopedPrompts& ScopedPrompts::PrintDialog(bool print) {
    m_answers.printDialog = [print] { return print ? TRUE : FALSE; };
    platform::SetUserPrompts(m_answers);
    return *this;
}

int RunAllTestsInTheProgram() {
    AfxSetResourceModule(VorlexiResources());
    FailOnUnansweredQuestions();
    CVorlexiApp application;
    const int status = RUN_ALL_TESTS();
    application.ExitInstance();
    return status;
}

}  // namespace app_test

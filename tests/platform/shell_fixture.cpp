#include "shell_fixture.h"

#include "edit_control.h"

#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> g_tempDir;

}  // namespace

void ShellTest::SetUp() {
    Trace().clear();
    // Each test starts with no recent files, whatever an earlier run left behind.
    App().LoadStdProfileSettings(0);
    QSettings(QSettings::IniFormat, QSettings::UserScope, "Layer Tests", "testapp").clear();
    g_tempDir = std::make_unique<QTemporaryDir>();
    m_tempDir = g_tempDir->path().toStdString();
}

void ShellTest::TearDown() {
    App().ExitInstance();
    g_tempDir.reset();
}

BOOL ShellTest::Start(std::vector<std::string> args) {
    App().ExitInstance();
    m_args = std::move(args);
    m_args.insert(m_args.begin(), "testapp");
    m_argv.clear();
    for (std::string& arg : m_args) {
        m_argv.push_back(arg.data());
    }
    App().m_argc = static_cast<int>(m_argv.size());
    App().m_argv = m_argv.data();
    return App().InitInstance();
}

CTestApp& ShellTest::App() const { return *static_cast<CTestApp*>(AfxGetApp()); }

CTestFrame* ShellTest::Frame() const { return dynamic_cast<CTestFrame*>(AfxGetMainWnd()); }

CTestDoc* ShellTest::Doc() const {
    return Frame() != nullptr ? dynamic_cast<CTestDoc*>(Frame()->GetActiveDocument()) : nullptr;
}

CTestView* ShellTest::View() const {
    return Frame() != nullptr ? dynamic_cast<CTestView*>(Frame()->GetActiveView()) : nullptr;
}

QMainWindow* ShellTest::Window() const {
    return Frame() != nullptr ? qobject_cast<QMainWindow*>(Frame()->Widget()) : nullptr;
}

platform::EditControl* ShellTest::Edit() const {
    return View() != nullptr ? View()->GetEditCtrl() : nullptr;
}

QAction* ShellTest::ActionFor(UINT id) const {
    for (QAction* action : Window()->actions()) {
        if (action->data().toUInt() == id) {
            return action;
        }
    }
    return nullptr;
}

QMenu* ShellTest::MenuTitled(const QString& title) const {
    for (QAction* action : Window()->menuBar()->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

void ShellTest::Command(UINT id) const { Frame()->OnCommand(id); }

std::string ShellTest::Text() const { return Edit()->rawText(); }

std::string ShellTest::TempPath(const std::string& name) const { return m_tempDir + "/" + name; }

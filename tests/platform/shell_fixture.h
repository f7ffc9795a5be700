#pragma once
// Starts the test program's shell for each test and ends it afterwards.

#include "test_shell.h"

#include <QAction>
#include <QString>

#include <gtest/gtest.h>

#include <string>
#include <vector>

class QMainWindow;
class QMenu;
namespace platform {
class EditControl;
}

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs InitInstance with these arguments; its result.
    BOOL Start(std::vector<std::string> args);

    CTestApp& App() const;
    CTestFrame* Frame() const;
    CTestDoc* Doc() const;
    CTestView* View() const;
    QMainWindow* Window() const;
    platform::EditControl* Edit() const;
    QAction* ActionFor(UINT id) const;
    QMenu* MenuTitled(const QString& title) const;
    void Command(UINT id) const;
    std::string Text() const;
    // A file in the test's own temporary folder.
    std::string TempPath(const std::string& name) const;

private:
    std::vector<std::string> m_args;
    std::vector<char*> m_argv;
    std::string m_tempDir;
};

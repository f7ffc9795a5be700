// The main window as a user sees it: the menu against the program's menu resource, the
// accelerators, the toolbar, the prompts in the status bar and the View toggles.

#include "app_test_support.h"
#include "edit_control.h"
#include "resource_ids.h"
#include "vorlexi_resources.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace app_test;

namespace {

const platform::MenuTemplate& MainMenuResource() {
    for (const platform::MenuTemplate& menu : VorlexiResources().menus) {
        if (menu.id == IDR_MAINFRAME) {
            return menu;
        }
    }
    throw std::runtime_error("no main menu resource");
}

// The item's text as the menu shows it: label, then the shortcut after a tab.
QString ShownText(const QAction& action) {
    if (action.text().contains('\t') || action.shortcut().isEmpty()) {
        return action.text();
    }
    return action.text() + '\t' + action.shortcut().toString(QKeySequence::PortableText);
}

QMenu& TopMenu(const QString& title) {
    for (QAction* action : MainWindow().menuBar()->actions()) {
        if (action->text() == title && action->menu() != nullptr) {
            return *action->menu();
        }
    }
    throw std::runtime_error("no menu " + title.toStdString());
}

QAction& MenuItem(const QString& menu, const QString& label) {
    for (QAction* action : TopMenu(menu).actions()) {
        if (action->text().section('\t', 0, 0) == label) {
            return *action;
        }
    }
    throw std::runtime_error("no item " + label.toStdString());
}

// Refreshes the item states the way opening the menu does.
void OpenAndCloseMenu(const QString& menu) { emit TopMenu(menu).aboutToShow(); }

QString MessagePane() {
    const auto* pane = MainWindow().statusBar()->findChild<QLabel*>(QStringLiteral("pane0"));
    return pane != nullptr ? pane->text() : QStringLiteral("<no message pane>");
}

QToolBar& ToolBar() {
    auto* bar = MainWindow().findChild<QToolBar*>();
    if (bar == nullptr) {
        throw std::runtime_error("no toolbar");
    }
    return *bar;
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override { StartCleanDocument(); }
};

}  // namespace

TEST_F(MainFrameTest, TitleNamesTheUntitledDocumentAndTheProgram) {
    EXPECT_EQ(MainWindow().windowTitle(), "Untitled - vorlexi");
}

TEST_F(MainFrameTest, MenuBarShowsEveryMenuAndItemOfTheResourceInOrder) {
    const QList<QAction*> menus = MainWindow().menuBar()->actions();
    const auto& resource = MainMenuResource().items;
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(resource.size()));
    for (std::size_t m = 0; m < resource.size(); ++m) {
        EXPECT_EQ(menus[m]->text(), QString::fromLatin1(resource[m].text));
        const QList<QAction*> items = menus[m]->menu()->actions();
        ASSERT_EQ(items.size(), static_cast<qsizetype>(resource[m].popup.size()))
            << resource[m].text;
        for (std::size_t i = 0; i < resource[m].popup.size(); ++i) {
            const platform::MenuItemTemplate& item = resource[m].popup[i];
            if (item.flags & platform::MF_SEPARATOR) {
                EXPECT_TRUE(items[i]->isSeparator()) << resource[m].text << " item " << i;
            } else {
                EXPECT_EQ(ShownText(*items[i]), QString::fromLatin1(item.text));
            }
        }
    }
}

TEST_F(MainFrameTest, ItemsAreEnabledWhereTheProgramCanCarryThemOut) {
    OpenAndCloseMenu("&File");
    OpenAndCloseMenu("&Edit");
    OpenAndCloseMenu("Actions");
    EXPECT_TRUE(MenuItem("Actions", "Calc Filter").isEnabled());
    EXPECT_TRUE(MenuItem("&File", "&New").isEnabled());
    EXPECT_TRUE(MenuItem("&File", "&Save").isEnabled());
    EXPECT_FALSE(MenuItem("&File", "Recent File").isEnabled());
    EXPECT_FALSE(MenuItem("&Edit", "&Undo").isEnabled()) << "nothing to undo yet";
    EXPECT_FALSE(MenuItem("&Edit", "Cu&t").isEnabled()) << "nothing selected";
    EXPECT_FALSE(MenuItem("&Edit", "&Copy").isEnabled()) << "nothing selected";

    QTest::keyClicks(&Editor(), "abc");
    Editor().selectAll();
    OpenAndCloseMenu("&Edit");
    EXPECT_TRUE(MenuItem("&Edit", "&Undo").isEnabled());
    EXPECT_TRUE(MenuItem("&Edit", "Cu&t").isEnabled());
    EXPECT_TRUE(MenuItem("&Edit", "&Copy").isEnabled());
}

TEST_F(MainFrameTest, CalcFilterHasNeitherShortcutNorToolbarButton) {
    EXPECT_TRUE(MenuItem("Actions", "Calc Filter").shortcut().isEmpty());
    EXPECT_EQ(MenuItem("Actions", "Calc Filter").text(), "Calc Filter");
    for (QAction* button : ToolBar().actions()) {
        EXPECT_NE(button->text().remove('&'), "Calc Filter");
    }
}

TEST_F(MainFrameTest, PointingAtAnItemShowsItsPromptAndReadyComesBack) {
    EXPECT_EQ(MessagePane(), "Ready");

    emit MenuItem("&File", "&New").hovered();
    EXPECT_EQ(MessagePane(), "Create a new document");
    emit MenuItem("&View", "&Status Bar").hovered();
    EXPECT_EQ(MessagePane(), "Show or hide the status bar");
    emit MenuItem("Actions", "Calc Filter").hovered();
    EXPECT_EQ(MessagePane(), "") << "Calc Filter has no prompt";

    emit TopMenu("Actions").aboutToHide();
    QApplication::processEvents();
    EXPECT_EQ(MessagePane(), "Ready") << "once the menu closes";
}

TEST_F(MainFrameTest, PointingAtADisabledItemShowsItsOwnPrompt) {
    struct Case {
        const char* menu;
        const char* otherItem;
        const char* disabledItem;
        const char* prompt;
    } cases[] = {
        {"&File", "&New", "Recent File", "Open this document"},
        {"&Edit", "&Paste", "&Copy", "Copy the selection and put it on the Clipboard"},
    };
    for (const Case& c : cases) {
        QMenu& menu = TopMenu(c.menu);
        menu.popup(MainWindow().mapToGlobal(QPoint(0, 0)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        QAction& disabled = MenuItem(c.menu, c.disabledItem);
        ASSERT_FALSE(disabled.isEnabled()) << c.disabledItem;
        QTest::mouseMove(&menu, menu.actionGeometry(&MenuItem(c.menu, c.otherItem)).center());
        ASSERT_NE(MessagePane(), c.prompt);
        QTest::mouseMove(&menu, menu.actionGeometry(&disabled).center());
        EXPECT_EQ(MessagePane().toStdString(), c.prompt) << c.disabledItem;
        menu.hide();
    }
}

TEST_F(MainFrameTest, ToolbarButtonsFollowTheToolbarResourceWithTheirTooltips) {
    std::vector<QString> tooltips;
    for (QAction* button : ToolBar().actions()) {
        tooltips.push_back(button->isSeparator() ? QString("|") : button->toolTip());
    }
    const std::vector<QString> expected = {"New",   "Open", "Save",  "|", "Cut",  "Copy",
                                           "Paste", "|",    "Print", "|", "About"};
    EXPECT_EQ(tooltips, expected);
}

TEST_F(MainFrameTest, ViewTogglesHideAndShowTheBarsWithCheckMarks) {
    QWidget& statusBar = *MainWindow().statusBar();
    struct Toggle {
        UINT command;
        const char* label;
        QWidget* bar;
    } toggles[] = {{ID_VIEW_TOOLBAR, "&Toolbar", &ToolBar()},
                   {ID_VIEW_STATUS_BAR, "&Status Bar", &statusBar}};
    for (const Toggle& toggle : toggles) {
        OpenAndCloseMenu("&View");
        EXPECT_FALSE(toggle.bar->isHidden()) << toggle.label << " starts visible";
        EXPECT_TRUE(MenuItem("&View", toggle.label).isChecked()) << toggle.label;

        RunCommand(toggle.command);
        OpenAndCloseMenu("&View");
        EXPECT_TRUE(toggle.bar->isHidden()) << toggle.label;
        EXPECT_FALSE(MenuItem("&View", toggle.label).isChecked()) << toggle.label;

        RunCommand(toggle.command);
        OpenAndCloseMenu("&View");
        EXPECT_FALSE(toggle.bar->isHidden()) << toggle.label;
        EXPECT_TRUE(MenuItem("&View", toggle.label).isChecked()) << toggle.label;
    }
}

// The old editing keys work beside the usual ones, because a user's hands know them.
TEST_F(MainFrameTest, ClassicEditingAcceleratorsReachTheEditCommands) {
    platform::EditControl& editor = Editor();
    editor.setFocus();
    QTest::keyClicks(&editor, "alpha");
    editor.selectAll();

    QTest::keyClick(&editor, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "alpha") << "Ctrl+Ins copies";

    QTest::keyClick(&editor, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(ViewText(), "") << "Shift+Del cuts";

    QTest::keyClick(&editor, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(&editor, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(ViewText(), "alphaalpha") << "Shift+Ins pastes";

    QTest::keyClick(&editor, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(ViewText(), "alpha") << "Alt+Backspace undoes";
}

TEST_F(MainFrameTest, FileShortcutsAskWhatTheirCommandsAsk) {
    int saveAsked = 0;
    int openAsked = 0;
    ScopedPrompts prompts;
    prompts.MessageBox(IDNO).OpenFile("", &openAsked).SaveFile("", &saveAsked);
    // Accelerators belong to the main window and act while it is the active one.
    MainWindow().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&MainWindow()));
    QTest::keyClick(&Editor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saveAsked, 1) << "Ctrl+S on an untitled document asks for a name";
    QTest::keyClick(&Editor(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(openAsked, 1) << "Ctrl+O asks for a file";

    QTest::keyClicks(&Editor(), "text");
    QTest::keyClick(&Editor(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(ViewText(), "") << "Ctrl+N starts a new document";
}

TEST_F(MainFrameTest, AboutBoxNamesTheVersionAndClosesWithoutTouchingTheText) {
    QTest::keyClicks(&Editor(), "kept");
    const std::vector<std::function<void(QWidget&)>> closings = {
        [](QWidget& about) { Button(about, IDOK).click(); },
        [](QWidget& about) { QTest::keyClick(&about, Qt::Key_Escape); },
        [](QWidget& about) { QTest::keyClick(&about, Qt::Key_Return); },
    };
    for (const auto& close : closings) {
        QStringList texts;
        QString title;
        WhenModalOpens([&](QWidget& about) {
            title = about.windowTitle();
            for (const QLabel* label : about.findChildren<QLabel*>()) {
                texts << label->text();
            }
            close(about);
        });
        RunCommand(ID_APP_ABOUT);
        EXPECT_EQ(title, "About vorlexi");
        EXPECT_TRUE(texts.contains("vorlexi Version 1.2.0")) << texts.join('|').toStdString();
    }
    EXPECT_EQ(ViewText(), "kept");
    EXPECT_TRUE(Document().IsModified());
}

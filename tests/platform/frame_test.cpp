// The frame: menus and accelerators from the resources, commands along the route view,
// document, frame, application, item states, prompts, toolbar and status bar.
#include "edit_control.h"
#include "shell_fixture.h"
#include "test_resources.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace test_resources;

namespace {

using FrameTest = ShellTest;

QStringList Texts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) {
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
}

// The text of a status-bar pane, 0 the message pane.
std::string Pane(CTestFrame& frame, int index) {
    const auto* label =
        frame.m_statusBar.Widget()->findChild<QLabel*>(QStringLiteral("pane%1").arg(index));
    return label != nullptr ? label->text().toStdString() : "<no pane>";
}

std::string MessagePane(CTestFrame& frame) { return Pane(frame, 0); }

TEST_F(FrameTest, MenuBarFollowsTheMenuTemplate) {
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(Texts(Window()->menuBar()->actions()),
              (QStringList{"&File", "&Edit", "&View", "Tests"}));
    EXPECT_EQ(Texts(MenuTitled("&File")->actions()),
              (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "-", "Recent File",
                           "-", "E&xit"}));
    EXPECT_FALSE(ActionFor(ID_FILE_MRU_FILE1)->isEnabled()) << "grayed placeholder";
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Untitled - testapp"));
}

TEST_F(FrameTest, CommandGoesToTheFirstHandlerOnTheRoute) {
    ASSERT_TRUE(Start({}));
    Trace().clear();
    Command(ID_TEST_BOTH);
    Command(ID_TEST_APP_ONLY);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"view:both", "app:app-only"}));
    EXPECT_FALSE(AfxRunCommand(Frame(), ID_TEST_NONE));
}

TEST_F(FrameTest, ItemsAreEnabledByHandlersAndUpdateHandlers) {
    ASSERT_TRUE(Start({}));
    Frame()->UpdateCommandStates();
    EXPECT_TRUE(ActionFor(ID_TEST_BOTH)->isEnabled());
    EXPECT_TRUE(ActionFor(ID_TEST_APP_ONLY)->isEnabled());
    EXPECT_FALSE(ActionFor(ID_TEST_NONE)->isEnabled()) << "no handler anywhere on the route";
    EXPECT_TRUE(ActionFor(ID_TEST_CHECK)->isEnabled());
    EXPECT_TRUE(ActionFor(ID_TEST_CHECK)->isChecked());
    EXPECT_FALSE(ActionFor(ID_TEST_DISABLED)->isEnabled()) << "the update handler decides";
    EXPECT_FALSE(ActionFor(ID_EDIT_UNDO)->isEnabled()) << "nothing to undo yet";
    EXPECT_FALSE(ActionFor(ID_EDIT_COPY)->isEnabled()) << "no selection";
    EXPECT_FALSE(ActionFor(ID_NEXT_PANE)->isEnabled()) << "no panes to switch";

    QTest::keyClicks(Edit(), "typed");
    Edit()->selectAll();
    Frame()->UpdateCommandStates();
    EXPECT_TRUE(ActionFor(ID_EDIT_UNDO)->isEnabled());
    EXPECT_TRUE(ActionFor(ID_EDIT_COPY)->isEnabled());
}

TEST_F(FrameTest, StatesRefreshWhenAMenuIsAboutToShow) {
    ASSERT_TRUE(Start({}));
    QMenu* edit = MenuTitled("&Edit");
    Frame()->UpdateCommandStates();
    ASSERT_FALSE(ActionFor(ID_EDIT_UNDO)->isEnabled());
    Edit()->setPlainText(QString());
    QTest::keyClicks(Edit(), "x");
    emit edit->aboutToShow();
    EXPECT_TRUE(ActionFor(ID_EDIT_UNDO)->isEnabled());
}

TEST_F(FrameTest, FailingHandlerIsReportedAndTheProgramGoesOn) {
    ASSERT_TRUE(Start({}));
    ScriptedAnswers answers;
    Trace().clear();
    ActionFor(ID_TEST_THROW)->trigger();
    ActionFor(ID_TEST_OOM)->trigger();
    ActionFor(ID_TEST_BOTH)->trigger();
    EXPECT_EQ(Trace(), (std::vector<std::string>{"view:throw", "view:oom", "view:both"}));
    ASSERT_EQ(answers.messages.size(), 2u);
    EXPECT_NE(answers.messages[0].find("the test handler failed"), std::string::npos);
    EXPECT_EQ(answers.messages[1], "Out of memory.");
}

TEST_F(FrameTest, AcceleratorsRunTheirCommandsThroughTheRoutes) {
    ASSERT_TRUE(Start({}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window()));
    Edit()->setFocus();
    Trace().clear();
    QTest::keyClick(Edit(), Qt::Key_B, Qt::ControlModifier);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"view:both"}));

    QTest::keyClicks(Edit(), "abc");
    Frame()->UpdateCommandStates();
    QTest::keyClick(Edit(), Qt::Key_Backspace, Qt::AltModifier);  // Undo
    EXPECT_EQ(Text(), "");

    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    Frame()->UpdateCommandStates();
    QTest::keyClick(Edit(), Qt::Key_Insert, Qt::ShiftModifier);  // Paste
    EXPECT_EQ(Text(), "pasted");

    Edit()->selectAll();
    Frame()->UpdateCommandStates();
    QTest::keyClick(Edit(), Qt::Key_Delete, Qt::ShiftModifier);  // Cut
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("pasted"));
}

TEST_F(FrameTest, AcceleratorWinsOverTheTextWidgetsOwnUseOfTheKey) {
    ASSERT_TRUE(Start({}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window()));
    View()->SetWindowText("some text");
    Edit()->setFocus();
    Trace().clear();
    QTest::keyClick(Edit(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"view:both"}));
    EXPECT_FALSE(Edit()->hasSelection()) << "the widget's Select All must not run";
}

// Runs the event loop as the program does, so that it blocks waiting for events.
void RunEventLoopBriefly() {
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST_F(FrameTest, StatesRefreshWhenTheProgramGoesIdle) {
    ASSERT_TRUE(Start({}));
    RunEventLoopBriefly();
    ASSERT_FALSE(ActionFor(ID_EDIT_UNDO)->isEnabled());
    QTest::keyClicks(Edit(), "typed");
    RunEventLoopBriefly();
    EXPECT_TRUE(ActionFor(ID_EDIT_UNDO)->isEnabled());
}

TEST_F(FrameTest, EveryAcceleratorIsAShortcutOfItsCommand) {
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(ActionFor(ID_EDIT_UNDO)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z),
                                   QKeySequence(Qt::ALT | Qt::Key_Backspace)}));
    EXPECT_EQ(ActionFor(ID_EDIT_COPY)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_C),
                                   QKeySequence(Qt::CTRL | Qt::Key_Insert)}));
    EXPECT_EQ(ActionFor(ID_PREV_PANE)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::SHIFT | Qt::Key_F6)}));
}

TEST_F(FrameTest, PointingAtAnItemShowsItsPromptAndIdleShowsReady) {
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(MessagePane(*Frame()), "Ready");
    QMenu* file = MenuTitled("&File");
    emit file->hovered(ActionFor(ID_FILE_NEW));
    EXPECT_EQ(MessagePane(*Frame()), "Create a new document");
    emit file->aboutToHide();
    EXPECT_EQ(MessagePane(*Frame()), "Ready");
    emit MenuTitled("Tests")->hovered(ActionFor(ID_TEST_NONE));
    EXPECT_EQ(MessagePane(*Frame()), "") << "a command without a string has an empty prompt";
    emit MenuTitled("Tests")->hovered(ActionFor(ID_TEST_APP_ONLY));
    EXPECT_EQ(MessagePane(*Frame()), "Only the application runs this");
}

TEST_F(FrameTest, ToolbarFollowsItsResourceWithPromptsAndTooltips) {
    ASSERT_TRUE(Start({}));
    auto* toolBar = qobject_cast<QToolBar*>(Frame()->m_toolBar.Widget());
    ASSERT_NE(toolBar, nullptr);
    const QList<QAction*> items = toolBar->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0], ActionFor(ID_FILE_NEW)) << "the menu's and the button's action are one";
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2], ActionFor(ID_TEST_BOTH));
    EXPECT_EQ(items[3], ActionFor(ID_FILE_OPEN));
    EXPECT_EQ(toolBar->iconSize(), QSize(16, 15));
    EXPECT_EQ(ActionFor(ID_FILE_NEW)->toolTip(), QStringLiteral("New"));

    // The button face (light grey) is transparent; the drawn pixels are not.
    const QImage image = items[0]->icon().pixmap(QSize(16, 15)).toImage();
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);

    QWidget* button = toolBar->widgetForAction(ActionFor(ID_FILE_NEW));
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(MessagePane(*Frame()), "Create a new document");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(MessagePane(*Frame()), "Ready");
}

// A command whose modal box took the pointer off its button: once it returns with the
// pointer elsewhere, the button is at rest again and the pane says "Ready".
TEST_F(FrameTest, AButtonIsAtRestAfterItsCommandWhenThePointerLeftIt) {
    ASSERT_TRUE(Start({}));
    auto* toolBar = qobject_cast<QToolBar*>(Frame()->m_toolBar.Widget());
    ASSERT_NE(toolBar, nullptr);
    auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(ActionFor(ID_TEST_BOTH)));
    ASSERT_NE(button, nullptr);
    button->setAttribute(Qt::WA_UnderMouse, true);  // the pointer came in before the click
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(button, &enter);
    ASSERT_NE(MessagePane(*Frame()), "Ready");

    QCursor::setPos(button->mapToGlobal(QPoint(-200, -200)));
    ActionFor(ID_TEST_BOTH)->trigger();
    EXPECT_FALSE(button->underMouse());
    EXPECT_EQ(MessagePane(*Frame()), "Ready");
}

// Toolbar resources that cannot be loaded: a version the layer does not know, more items
// than words, and a bitmap too narrow for the buttons.
constexpr platform::UINT kBadVersion = 501;
constexpr platform::UINT kShortWords = 502;
constexpr platform::UINT kNarrowBitmap = 503;
constexpr std::uint16_t kBadVersionWords[] = {2, 16, 15, 1, ID_FILE_NEW};
constexpr std::uint16_t kShortWordsWords[] = {1, 16, 15, 9, ID_FILE_NEW};
constexpr std::uint16_t kNarrowWords[] = {1, 16, 15, 2, ID_FILE_NEW, ID_FILE_OPEN};
constexpr const char* kRow = "7777777777777777";
constexpr const char* kRows[] = {kRow, kRow, kRow, kRow, kRow, kRow, kRow, kRow,
                                 kRow, kRow, kRow, kRow, kRow, kRow, kRow};
constexpr platform::ToolbarResource kBadToolbars[] = {{kBadVersion, kBadVersionWords},
                                                      {kShortWords, kShortWordsWords},
                                                      {kNarrowBitmap, kNarrowWords}};
constexpr platform::BitmapResource kBadBitmaps[] = {{kBadVersion, {16, 15, kRows}},
                                                    {kShortWords, {16, 15, kRows}},
                                                    {kNarrowBitmap, {16, 15, kRows}}};

TEST_F(FrameTest, MalformedToolbarResourcesAreRefused) {
    ASSERT_TRUE(Start({}));
    platform::ResourceModule bad = test_resources::Module();
    bad.toolbars = kBadToolbars;
    bad.bitmaps = kBadBitmaps;
    platform::AfxSetResourceModule(bad);
    CToolBar& toolBar = Frame()->m_toolBar;
    const BOOL badVersion = toolBar.LoadToolBar(kBadVersion);
    const BOOL shortWords = toolBar.LoadToolBar(kShortWords);
    const BOOL narrowBitmap = toolBar.LoadToolBar(kNarrowBitmap);
    const BOOL missing = toolBar.LoadToolBar(999);
    platform::AfxSetResourceModule(test_resources::Module());
    EXPECT_FALSE(badVersion);
    EXPECT_FALSE(shortWords);
    EXPECT_FALSE(narrowBitmap);
    EXPECT_FALSE(missing);
    EXPECT_EQ(qobject_cast<QToolBar*>(toolBar.Widget())->actions().size(), 4)
        << "the loaded buttons stay";
}

TEST_F(FrameTest, ToolbarDocksOnEverySideAndFloats) {
    ASSERT_TRUE(Start({}));
    auto* toolBar = qobject_cast<QToolBar*>(Frame()->m_toolBar.Widget());
    EXPECT_EQ(toolBar->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_TRUE(toolBar->isMovable()) << "has a gripper";
    EXPECT_TRUE(toolBar->isFloatable());
    EXPECT_EQ(Window()->toolBarArea(toolBar), Qt::TopToolBarArea);
    Window()->addToolBar(Qt::LeftToolBarArea, toolBar);  // as the user drags it there
    EXPECT_EQ(Window()->toolBarArea(toolBar), Qt::LeftToolBarArea);
}

TEST_F(FrameTest, ViewTogglesHideAndShowTheBarsWithCheckMarks) {
    ASSERT_TRUE(Start({}));
    QWidget* toolBar = Frame()->m_toolBar.Widget();
    QWidget* statusBar = Frame()->m_statusBar.Widget();
    Frame()->UpdateCommandStates();
    EXPECT_TRUE(ActionFor(ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_TRUE(ActionFor(ID_VIEW_STATUS_BAR)->isChecked());

    ActionFor(ID_VIEW_TOOLBAR)->trigger();
    ActionFor(ID_VIEW_STATUS_BAR)->trigger();
    Frame()->UpdateCommandStates();
    EXPECT_TRUE(toolBar->isHidden());
    EXPECT_TRUE(statusBar->isHidden());
    EXPECT_FALSE(ActionFor(ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_FALSE(ActionFor(ID_VIEW_STATUS_BAR)->isChecked());

    ActionFor(ID_VIEW_TOOLBAR)->trigger();
    Frame()->UpdateCommandStates();
    EXPECT_FALSE(toolBar->isHidden());
    EXPECT_TRUE(ActionFor(ID_VIEW_TOOLBAR)->isChecked());
}

TEST_F(FrameTest, StatusBarHasTheMessagePaneAndTheLockIndicators) {
    ASSERT_TRUE(Start({}));
    QWidget* bar = Frame()->m_statusBar.Widget();
    EXPECT_EQ(bar->findChildren<QLabel*>().size(), 4);
    EXPECT_EQ(MessagePane(*Frame()), "Ready");
    // The offscreen platform cannot read the lock keys: they read as off, so the panes
    // are blank but keep the width of their texts.
    for (int pane = 1; pane < 4; ++pane) {
        EXPECT_EQ(Pane(*Frame(), pane), "") << pane;
        auto* label = bar->findChild<QLabel*>(QStringLiteral("pane%1").arg(pane));
        ASSERT_NE(label, nullptr);
        EXPECT_GT(label->minimumWidth(), label->fontMetrics().horizontalAdvance("CAP"));
    }
}

TEST_F(FrameTest, ViewUsesTheCourierFaceFontconfigSubstitutes) {
    ASSERT_TRUE(Start({}));
    EXPECT_TRUE(QFontInfo(Edit()->font()).family().startsWith(QStringLiteral("Nimbus Mono PS")));
    EXPECT_EQ(Edit()->font().pointSize(), 12);
    EXPECT_EQ(Edit()->font().family(), QStringLiteral("Nimbus Mono PS"))
        << "the face fontconfig substitutes, not Qt's own choice for a typewriter font";
}

TEST_F(FrameTest, FailingFrameCreationFailsTheStartUp) {
    ScriptedAnswers answers;
    CTestFrame::failCreate = true;
    EXPECT_FALSE(Start({}));
    CTestFrame::failCreate = false;
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_EQ(App().m_nStartupExitCode, 1);
    EXPECT_FALSE(answers.messages.empty());
}

}  // namespace

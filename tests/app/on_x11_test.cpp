// The main window where users see it: on an X server, with the real pointer (moved with
// xdotool) and the fonts fontconfig chooses, rather than on the offscreen platform.

#include "app_test_support.h"
#include "edit_control.h"
#include "private_xvfb.h"
#include "resource_ids.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRawFont>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace app_test;

namespace {

class OnX11 : public ::testing::Test {
protected:
    void SetUp() override {
        if (!::OnX11()) {
            GTEST_SKIP() << "no X server (Xvfb is not installed)";
        }
        StartCleanDocument();
        MainWindow().move(0, 0);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&MainWindow()));
    }
};

QString MessagePane() {
    const auto* pane = MainWindow().statusBar()->findChild<QLabel*>(QStringLiteral("pane0"));
    return pane != nullptr ? pane->text() : QStringLiteral("<no message pane>");
}

// Moves the X server's pointer to a point of the screen and, when asked, clicks there.
void Pointer(QPoint global, bool click = false) {
    QStringList arguments{"mousemove", QString::number(global.x()), QString::number(global.y())};
    if (click) {
        arguments << "click"
                  << "1";
    }
    ASSERT_EQ(QProcess::execute("xdotool", arguments), 0) << "xdotool is missing";
    QTest::qWait(150);
}

QAction& MenuBarEntry(const QString& title) {
    for (QAction* action : MainWindow().menuBar()->actions()) {
        if (action->text() == title) {
            return *action;
        }
    }
    throw std::runtime_error("no menu " + title.toStdString());
}

QAction& MenuItem(QMenu& menu, const QString& label) {
    for (QAction* action : menu.actions()) {
        if (action->text().section('\t', 0, 0) == label) {
            return *action;
        }
    }
    throw std::runtime_error("no item " + label.toStdString());
}

QWidget& ToolButton(UINT id) {
    auto* button = MainWindow().findChild<QWidget*>(QStringLiteral("toolButton%1").arg(id));
    if (button == nullptr) {
        throw std::runtime_error("no tool button " + std::to_string(id));
    }
    return *button;
}

QString FontconfigFamily(const QString& pattern) {
    QProcess match;
    match.start("fc-match", {"--format=%{family[0]}", pattern});
    match.waitForFinished(10000);
    return QString::fromUtf8(match.readAllStandardOutput());
}

// Qt names the foundry where two foundries offer one family: "Nimbus Mono PS [urw]".
QString WithoutFoundry(QString family) {
    if (const qsizetype foundry = family.indexOf(QStringLiteral(" [")); foundry > 0) {
        family.truncate(foundry);
    }
    return family;
}

}  // namespace

// A menu item chosen with the mouse where it lies over a toolbar button: the button's
// fly-by prompt must not outlive the pointer's stay on the button.
TEST_F(OnX11, PromptOfAButtonUnderAChosenMenuItemGoesWithThePointer) {
    QApplication::clipboard()->setText(QStringLiteral("something to paste"));
    QTest::qWait(100);  // the idle refresh enables Paste
    QWidget& paste = ToolButton(ID_EDIT_PASTE);
    ASSERT_TRUE(paste.isEnabled());
    const QPoint overPaste = paste.mapToGlobal(paste.rect().center());

    QMenuBar& bar = *MainWindow().menuBar();
    QAction& actions = MenuBarEntry("Actions");
    Pointer(bar.mapToGlobal(bar.actionGeometry(&actions).center()), true);
    QMenu& menu = *actions.menu();
    ASSERT_TRUE(menu.isVisible());
    QAction& calcFilter = MenuItem(menu, "Calc Filter");
    const QRect item(menu.mapToGlobal(menu.actionGeometry(&calcFilter).topLeft()),
                     menu.actionGeometry(&calcFilter).size());
    ASSERT_TRUE(item.contains(overPaste)) << "Calc Filter no longer lies over Paste";

    // Cancelled at once, with the pointer still on the button below the menu item.
    WhenModalOpens([](QWidget& dialog) {
        QProcess::execute(
            "xdotool", {"windowfocus", "--sync", QString::number(dialog.winId()), "key", "Escape"});
    });
    Pointer(overPaste, true);
    QTest::qWait(300);
    ASSERT_EQ(QApplication::activeModalWidget(), nullptr);

    Pointer(Editor().viewport()->mapToGlobal(Editor().viewport()->rect().center()));
    EXPECT_EQ(MessagePane().toStdString(), "Ready");
}

TEST_F(OnX11, TextIsShownInTheFaceFontconfigChoosesForCourier) {
    const QString courier = FontconfigFamily(QStringLiteral("Courier"));
    ASSERT_FALSE(courier.isEmpty()) << "fc-match is missing";
    const QFontInfo shown(Editor().font());
    EXPECT_EQ(WithoutFoundry(shown.family()).toStdString(), courier.toStdString());
    EXPECT_EQ(shown.pointSize(), 12);

    // The glyphs actually laid out, and their widths, are the face's own.
    const QString line = QStringLiteral("WWWW iiii 0123 mmmm");
    Editor().setRawText(line.toStdString());
    QTest::qWait(50);
    const QTextLayout* layout = Editor().document()->firstBlock().layout();
    ASSERT_NE(layout, nullptr);
    ASSERT_GT(layout->lineCount(), 0);
    const QList<QGlyphRun> runs = layout->lineAt(0).glyphRuns();
    ASSERT_FALSE(runs.isEmpty());
    for (const QGlyphRun& run : runs) {
        EXPECT_EQ(WithoutFoundry(run.rawFont().familyName()).toStdString(), courier.toStdString());
    }
    QFont reference(courier);
    reference.setPointSize(12);
    EXPECT_DOUBLE_EQ(layout->lineAt(0).naturalTextWidth(),
                     QFontMetricsF(reference, &Editor()).horizontalAdvance(line));
}

// Alt with a letter that is no menu's mnemonic types nothing and leaves the document clean;
// a mnemonic still opens its menu.
TEST_F(OnX11, AltWithALetterOfNoMenuTypesNothing) {
    const QString window = QString::number(MainWindow().winId());
    Editor().setFocus();
    ASSERT_EQ(QProcess::execute("xdotool", {"windowfocus", "--sync", window, "key", "--window",
                                            window, "alt+q", "alt+a", "alt+shift+z", "x"}),
              0)
        << "xdotool is missing";
    QTest::qWait(300);
    EXPECT_EQ(ViewText(), "x") << "only the key without Alt types";
    Editor().setRawText("");
    Document().SetModifiedFlag(FALSE);

    ASSERT_EQ(QProcess::execute("xdotool", {"key", "--window", window, "alt+q"}), 0);
    QTest::qWait(200);
    EXPECT_EQ(ViewText(), "");
    EXPECT_FALSE(Document().IsModified());

    ASSERT_EQ(QProcess::execute("xdotool", {"key", "--window", window, "alt+f"}), 0);
    QTest::qWait(300);
    QMenu* file = MenuBarEntry("&File").menu();
    EXPECT_TRUE(file != nullptr && file->isVisible()) << "Alt+F no longer opens the File menu";
    QProcess::execute("xdotool", {"key", "Escape", "Escape"});
    QTest::qWait(200);
}

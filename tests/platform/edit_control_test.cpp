#include "edit_control.h"
#include "gdi.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <random>

namespace platform {
namespace {

using namespace std::string_literals;

// Binary content biased towards the bytes that trouble a text widget: line-break characters
// in every combination, NUL, and the high half.
std::string RandomFileContent(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> length(0, 3000);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> pick(0, 9);
    const char special[] = {'\r', '\n', '\0', '\r', '\n', '\x81', '\xA0', '\xFF'};
    std::string bytes(static_cast<std::size_t>(length(random)), '\0');
    for (char& byte : bytes) {
        const int choice = pick(random);
        byte = choice < 4 ? special[static_cast<std::size_t>(anyByte(random)) % sizeof special]
                          : static_cast<char>(anyByte(random));
    }
    return bytes;
}

TEST(EditControlRoundTrip, RandomBinaryFilesComeBackByteForByte) {
    EditControl edit;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const std::string bytes = RandomFileContent(seed);
        edit.setRawText(bytes);
        ASSERT_EQ(edit.rawText(), bytes) << "seed " << seed;
    }
}

TEST(EditControlRoundTrip, MixedLineEndingsNulAndHighBytes) {
    const std::string cases[] = {
        ""s,
        "\r\n"s,
        "\n"s,
        "\r"s,
        "\r\r\n\n\r"s,
        "line one\r\nline two\nline three\rline four"s,
        "\nstarts with LF and ends with CR\r"s,
        "nul\0in the\0\0middle\r\n\0"s,
        "\x80\x81\x8D\x8F\x90\x9D\xA0\xAD\xB5\xFF\r\n\xE4\xF6\xFC"s,
        "tab\there\x0B\x0C\x1B\x7F"s,
    };
    EditControl edit;
    for (const std::string& bytes : cases) {
        edit.setRawText(bytes);
        EXPECT_EQ(edit.rawText(), bytes);
    }
}

TEST(EditControlRoundTrip, UnicodeTextKeepsItsBreaksAndTakesSeparatorsAsCrLf) {
    EditControl edit;
    edit.setText(u"a\nb\r\nc\rd"_qs);
    EXPECT_EQ(edit.text(), u"a\nb\r\nc\rd"_qs);
    edit.setText(QStringLiteral("p\u2029q\u2028r"));
    EXPECT_EQ(edit.rawText(), "p\r\nq\r\nr");
}

TEST(EditControlRoundTrip, UndoAndRedoOfAReplacementRestoreTheExactBytes) {
    EditControl edit;
    const std::string before = "unix\nmac\rdos\r\n\0end"s;
    const std::string after = "report\r\nline\r\n"s;
    edit.setRawText(before);
    edit.setRawText(after);
    edit.undo();
    EXPECT_EQ(edit.rawText(), before);
    edit.redo();
    EXPECT_EQ(edit.rawText(), after);
}

TEST(EditControlTyping, EnterAndShiftEnterGiveCrLfInsideAnyLine) {
    EditControl edit;
    edit.setRawText("ab\ncd");
    QTextCursor cursor(edit.document());
    cursor.movePosition(QTextCursor::Right);
    edit.setTextCursor(cursor);
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.rawText(), "a\r\nb\ncd");
    cursor = edit.textCursor();
    cursor.movePosition(QTextCursor::End);
    edit.setTextCursor(cursor);
    QTest::keyClick(&edit, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClicks(&edit, "x");
    EXPECT_EQ(edit.rawText(), "a\r\nb\ncd\r\n\r\nx");
}

TEST(EditControlTyping, JoiningLinesKeepsTheRemainingBreaks) {
    EditControl edit;
    edit.setRawText("a\rb\nc");
    QTextCursor cursor(edit.document()->findBlockByNumber(1));
    edit.setTextCursor(cursor);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.rawText(), "ab\nc");
    edit.undo();
    EXPECT_EQ(edit.rawText(), "a\rb\nc");
}

TEST(EditControlClipboard, PastedBreaksBecomeCrLfAndCopyKeepsNoBreakSpaces) {
    EditControl edit;
    edit.setRawText("x\xA0y\nz");
    edit.selectAll();
    edit.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("x\u00A0y\nz"));

    QApplication::clipboard()->setText(u"1\n2\r3\r\n4"_qs);
    ASSERT_TRUE(edit.canPaste());
    edit.paste();
    EXPECT_EQ(edit.rawText(), "1\r\n2\r\n3\r\n4");

    // Into the middle of a line that follows a lone LF: that break stays where it was.
    edit.setRawText("a\nbc");
    QTextCursor cursor(edit.document()->findBlockByNumber(1));
    cursor.movePosition(QTextCursor::Right);
    edit.setTextCursor(cursor);
    QApplication::clipboard()->setText(QStringLiteral("1\u20282\u00A0"));
    edit.paste();
    EXPECT_EQ(edit.rawText(),
              "a\nb1\r\n2\xA0"
              "c");
}

TEST(EditControlModifiedState, ReplacingTheTextIsNoUserEditButTypingAndUndoAre) {
    EditControl edit;
    QSignalSpy edited(&edit, &EditControl::userEdited);
    edit.setRawText("first");
    edit.setText(u"second"_qs);
    EXPECT_EQ(edited.count(), 0);
    EXPECT_FALSE(edit.document()->isModified());

    edit.setFont(MakePointFont(140, u"COURIER"_qs));
    edit.setWordWrapAtWindowEdge(true);
    EXPECT_EQ(edited.count(), 0) << "display changes are no edits";

    QTest::keyClicks(&edit, "x");
    EXPECT_GE(edited.count(), 1);
    const auto afterTyping = edited.count();
    edit.undo();
    EXPECT_GT(edited.count(), afterTyping) << "undo changes the text the user sees";
}

TEST(EditControlModifiedState, UndoAfterAReplacementBringsBackTheTypedText) {
    EditControl edit;
    edit.setRawText("");
    QTest::keyClicks(&edit, "my notes");
    edit.setRawText("Coefficients for H(z)\r\n");
    EXPECT_EQ(edit.rawText(), "Coefficients for H(z)\r\n");
    ASSERT_TRUE(edit.canUndo());

    // Typing after the replacement is its own step: the first undo takes back the typing,
    // the second the replacement.
    QTest::keyClicks(&edit, "!");
    edit.undo();
    EXPECT_EQ(edit.rawText(), "Coefficients for H(z)\r\n");
    QSignalSpy edited(&edit, &EditControl::userEdited);
    edit.undo();
    EXPECT_EQ(edit.rawText(), "my notes");
    EXPECT_GE(edited.count(), 1) << "an undone replacement differs from what was set";
}

TEST(EditControlModifiedState, ClearingTheHistoryLeavesNothingToUndo) {
    EditControl edit;
    QTest::keyClicks(&edit, "typed");
    edit.setRawText("opened file", EditControl::UndoHistory::Clear);
    EXPECT_FALSE(edit.canUndo());
    EXPECT_EQ(edit.rawText(), "opened file");
}

TEST(EditControlDisplay, WrapsAtTheWindowEdgeWithoutChangingTheText) {
    EditControl edit;
    edit.setWordWrapAtWindowEdge(true);
    edit.resize(300, 200);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    std::string longLine;
    for (int i = 0; i < 60; ++i) {
        longLine += "word ";
    }
    edit.setRawText(longLine + "\r\nshort");
    QApplication::processEvents();
    const QTextBlock first = edit.document()->firstBlock();
    EXPECT_GT(first.layout()->lineCount(), 1);
    EXPECT_EQ(edit.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(edit.rawText(), longLine + "\r\nshort");

    edit.setWordWrapAtWindowEdge(false);
    QApplication::processEvents();
    EXPECT_EQ(edit.document()->firstBlock().layout()->lineCount(), 1);
}

TEST(EditControlDisplay, BinaryContentLaysOutAndPaints) {
    EditControl edit;
    edit.setFont(MakePointFont(120, u"COURIER"_qs));
    edit.setWordWrapAtWindowEdge(true);
    edit.resize(400, 300);
    for (const unsigned seed : {3u, 17u, 99u}) {
        const std::string bytes = RandomFileContent(seed);
        edit.setRawText(bytes);
        const QPixmap shown = edit.grab();
        EXPECT_FALSE(shown.isNull());
        EXPECT_EQ(edit.rawText(), bytes);
    }
}

TEST(EditControlDisplay, CourierResolvesToAFixedPitchCourierMetricFace) {
    const QFont font = MakePointFont(120, u"COURIER"_qs);
    const QFontInfo info(font);
    EXPECT_TRUE(info.family().startsWith(u"Nimbus Mono PS"_qs)) << info.family().toStdString();
    EXPECT_TRUE(info.fixedPitch());
    EXPECT_DOUBLE_EQ(info.pointSizeF(), 12.0);

    EditControl edit;
    edit.setFont(font);
    EXPECT_TRUE(QFontInfo(edit.font()).family().startsWith(u"Nimbus Mono PS"_qs));
    // Courier's metric: every glyph is 0.6 em wide.
    const QFontMetricsF metrics(edit.font());
    EXPECT_NEAR(
        metrics.horizontalAdvance(QLatin1Char('W')) / metrics.horizontalAdvance(QLatin1Char('i')),
        1.0, 1e-9);
}

}  // namespace
}  // namespace platform

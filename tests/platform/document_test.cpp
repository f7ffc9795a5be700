// Documents through the single-document template: New and Open reuse one document, frame
// and view; the save prompt; the modified flag; saving and loading raw bytes; the recent-file
// list; printing; and the command line at start-up.
#include "edit_control.h"
#include "print_job.h"
#include "shell_fixture.h"
#include "test_resources.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <iterator>

using namespace test_resources;

namespace {

using DocumentTest = ShellTest;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST_F(DocumentTest, NewAndOpenReuseTheOneDocumentFrameAndView) {
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(Trace(), (std::vector<std::string>{"doc:new", "view:initial-update"}));
    CTestFrame* frame = Frame();
    CTestDoc* doc = Doc();
    CTestView* view = View();

    const std::string path = TempPath("notes.txt");
    WriteFile(path, "line one\r\nline two\n");
    Trace().clear();
    ASSERT_NE(App().OpenDocumentFile(path.c_str()), nullptr);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"doc:load", "view:initial-update"}));
    EXPECT_EQ(Text(), "line one\r\nline two\n");
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("notes.txt - testapp"));

    Trace().clear();
    Command(ID_FILE_NEW);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"doc:new", "view:initial-update"}));
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Untitled - testapp"));
    EXPECT_EQ(Frame(), frame);
    EXPECT_EQ(Doc(), doc);
    EXPECT_EQ(View(), view);
}

TEST_F(DocumentTest, TypingMarksModifiedAndReplacingTheWholeTextDoesNot) {
    ASSERT_TRUE(Start({}));
    EXPECT_FALSE(Doc()->IsModified());
    View()->SetWindowText("a calculated report\r\n");
    EXPECT_FALSE(Doc()->IsModified());
    QTest::keyClicks(Edit(), "x");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DocumentTest, UndoRightAfterReplacingTheTextBringsTheOldTextBack) {
    ASSERT_TRUE(Start({}));
    View()->SetWindowText("first");
    View()->SetWindowText("second");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Text(), "first");
}

TEST_F(DocumentTest, NewDocumentStartsWithoutUndoHistory) {
    ASSERT_TRUE(Start({}));
    QTest::keyClicks(Edit(), "old");
    ScriptedAnswers answers;
    answers.messageBoxAnswers = {IDNO};
    Command(ID_FILE_NEW);
    Frame()->UpdateCommandStates();
    EXPECT_FALSE(ActionFor(ID_EDIT_UNDO)->isEnabled());
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(DocumentTest, CancelInTheSavePromptStopsNew) {
    ASSERT_TRUE(Start({}));
    QTest::keyClicks(Edit(), "keep me");
    ScriptedAnswers answers;
    answers.messageBoxAnswers = {IDCANCEL};
    Command(ID_FILE_NEW);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0], "Save changes to Untitled?");
    EXPECT_EQ(Text(), "keep me");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DocumentTest, NoInTheSavePromptDiscardsAndYesSavesFirst) {
    ASSERT_TRUE(Start({}));
    QTest::keyClicks(Edit(), "discard");
    {
        ScriptedAnswers answers;
        answers.messageBoxAnswers = {IDNO};
        Command(ID_FILE_NEW);
    }
    EXPECT_EQ(Text(), "");

    QTest::keyClicks(Edit(), "save me");
    ScriptedAnswers answers;
    answers.messageBoxAnswers = {IDYES};
    answers.saveAsName = TempPath("saved.txt");
    Command(ID_FILE_NEW);
    EXPECT_EQ(ReadFile(answers.saveAsName), "save me");
    EXPECT_EQ(Text(), "");
}

TEST_F(DocumentTest, CancellingSaveAsInsideThePromptStopsTheRequest) {
    ASSERT_TRUE(Start({}));
    QTest::keyClicks(Edit(), "unsaved");
    ScriptedAnswers answers;
    answers.messageBoxAnswers = {IDYES};
    answers.saveAsName.clear();  // the user cancels the file dialog
    Command(ID_FILE_NEW);
    EXPECT_EQ(Text(), "unsaved");
    EXPECT_TRUE(Doc()->IsModified());
}

TEST_F(DocumentTest, SavingWritesTheExactBytesAndStartsClean) {
    ASSERT_TRUE(Start({}));
    static constexpr char kBytes[] = "CR LF\r\nLF\nCR\rNUL\0end \x80\x81\xB5\xFF";
    const std::string original(kBytes, sizeof kBytes - 1);
    const std::string path = TempPath("bytes.bin");
    WriteFile(path, original);
    ASSERT_NE(App().OpenDocumentFile(path.c_str()), nullptr);
    EXPECT_FALSE(Doc()->IsModified());
    QTest::keyClicks(Edit(), "!");
    ASSERT_TRUE(Doc()->IsModified());
    Command(ID_EDIT_UNDO);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadFile(path), original);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(DocumentTest, FailedSaveIsReportedAndTheDocumentStaysModified) {
    ASSERT_TRUE(Start({}));
    QTest::keyClicks(Edit(), "text");
    ScriptedAnswers answers;
    answers.saveAsName = TempPath("no-such-folder/file.txt");
    Command(ID_FILE_SAVE_AS);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find("no-such-folder"), std::string::npos);
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Untitled - testapp"));
}

TEST_F(DocumentTest, TextTheCodePageCannotHoldIsNotSavedWithoutAsking) {
    ASSERT_TRUE(Start({}));
    Edit()->setPlainText(QStringLiteral("snow \u2603 and euro \u20AC"));
    QTest::keyClicks(Edit(), "!");
    const std::string path = TempPath("snow.txt");
    {
        ScriptedAnswers answers;
        answers.saveAsName = path;
        answers.messageBoxAnswers = {IDCANCEL};
        Command(ID_FILE_SAVE);
        ASSERT_EQ(answers.messages.size(), 1u);
        EXPECT_NE(answers.messages[0].find("U+2603"), std::string::npos);
    }
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(path)));
    EXPECT_TRUE(Doc()->IsModified());

    ScriptedAnswers answers;
    answers.saveAsName = path;
    answers.messageBoxAnswers = {IDOK};
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadFile(path), "!snow ? and euro \x80");
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(DocumentTest, TooLargeOrMissingFileIsRefusedAndNothingChanges) {
    ASSERT_TRUE(Start({}));
    QTest::keyClicks(Edit(), "current");
    const std::string large = TempPath("large.txt");
    {
        QFile file(QString::fromStdString(large));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64{65} * 1024 * 1024));  // sparse: no time, no disk
    }
    ScriptedAnswers answers;
    answers.messageBoxAnswers = {IDNO, IDOK, IDNO, IDOK};
    EXPECT_EQ(App().OpenDocumentFile(large.c_str()), nullptr);
    EXPECT_EQ(App().OpenDocumentFile(TempPath("missing.txt").c_str()), nullptr);
    ASSERT_EQ(answers.messages.size(), 4u);
    EXPECT_NE(answers.messages[1].find("too large"), std::string::npos);
    EXPECT_NE(answers.messages[3].find("not found"), std::string::npos);
    EXPECT_EQ(Text(), "current");
    EXPECT_TRUE(Doc()->IsModified());
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("Untitled - testapp"));
}

int RecentEntriesInMenu(QMenu& file) {
    int entries = 0;
    for (const QAction* action : file.actions()) {
        const UINT id = action->data().toUInt();
        if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST && action->isEnabled()) {
            ++entries;
        }
    }
    return entries;
}

TEST_F(DocumentTest, RecentFileListKeepsFourAndSurvivesARestart) {
    ASSERT_TRUE(Start({}));
    for (int i = 1; i <= 5; ++i) {
        const std::string path = TempPath("file" + std::to_string(i) + ".txt");
        WriteFile(path, "text");
        ASSERT_NE(App().OpenDocumentFile(path.c_str()), nullptr);
    }
    QMenu* file = MenuTitled("&File");
    emit file->aboutToShow();
    EXPECT_EQ(RecentEntriesInMenu(*file), 4);
    EXPECT_EQ(ActionFor(ID_FILE_MRU_FILE1)->text(),
              QStringLiteral("&1 ") + QString::fromStdString(TempPath("file5.txt")));

    ASSERT_TRUE(Start({}));  // ends the run (writing the list) and starts again
    const std::vector<CString> recent = App().GetRecentFiles();
    ASSERT_EQ(recent.size(), 4u);
    EXPECT_EQ(recent.front(), CString(TempPath("file5.txt")));
    EXPECT_EQ(recent.back(), CString(TempPath("file2.txt")));
}

TEST_F(DocumentTest, MissingRecentFileIsReportedAndDropped) {
    ASSERT_TRUE(Start({}));
    const std::string kept = TempPath("kept.txt");
    const std::string gone = TempPath("gone.txt");
    WriteFile(kept, "kept");
    WriteFile(gone, "gone");
    ASSERT_NE(App().OpenDocumentFile(kept.c_str()), nullptr);
    ASSERT_NE(App().OpenDocumentFile(gone.c_str()), nullptr);
    ASSERT_TRUE(QFile::remove(QString::fromStdString(gone)));
    ScriptedAnswers answers;
    Command(ID_FILE_MRU_FILE1);
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find("gone.txt"), std::string::npos);
    EXPECT_EQ(App().GetRecentFiles(), (std::vector<CString>{CString(kept)}));
    EXPECT_EQ(Text(), "gone") << "the document open before stays";

    Command(ID_FILE_MRU_FILE1);
    EXPECT_EQ(Text(), "kept");
}

TEST_F(DocumentTest, ClosingAModifiedDocumentAsksAndCancelKeepsTheWindow) {
    ASSERT_TRUE(Start({}));
    QTest::keyClicks(Edit(), "x");
    ScriptedAnswers answers;
    answers.messageBoxAnswers = {IDCANCEL};
    Command(ID_APP_EXIT);
    EXPECT_EQ(answers.messages.size(), 1u);
    EXPECT_TRUE(Window()->isVisible());
}

TEST_F(DocumentTest, PrintingDirectlyWritesThePagesToTheChosenPrinter) {
    ASSERT_TRUE(Start({}));
    View()->SetWindowText("to print\r\n");
    const std::string pdf = TempPath("out.pdf");
    QPrinter& printer = platform::AfxPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    EXPECT_TRUE(View()->Print(TRUE));
    EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");
    std::remove(pdf.c_str());
    Command(ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-") << "the command prints without asking";
}

TEST_F(DocumentTest, PrintingThatCannotStartFailsAndSaysSo) {
    ASSERT_TRUE(Start({}));
    View()->SetWindowText("to print\r\n");
    QPrinter& printer = platform::AfxPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(TempPath("no-such-folder/out.pdf")));
    ScriptedAnswers answers;
    EXPECT_FALSE(View()->Print(TRUE));
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_NE(answers.messages[0].find("printer"), std::string::npos);
}

TEST_F(DocumentTest, PrintingDirectlyWithNoPrinterSaysThereIsNone) {
    ASSERT_TRUE(Start({}));
    View()->SetWindowText("to print\r\n");
    // What Qt gives where the machine has no printer: PDF output with no file to go to.
    QPrinter& printer = platform::AfxPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString());
    ScriptedAnswers answers;
    EXPECT_FALSE(View()->Print(TRUE));
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].rfind("There is no printer to print to.", 0), 0u)
        << answers.messages[0];
}

TEST_F(DocumentTest, PreviewShowsThePagesThatWouldPrint) {
    ASSERT_TRUE(Start({}));
    std::string longText;
    for (int line = 0; line < 200; ++line) {
        longText += "line " + std::to_string(line) + "\r\n";
    }
    View()->SetWindowText(longText.c_str());
    int pages = 0;
    QTimer::singleShot(0, [&pages] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        auto* widget = preview->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        widget->updatePreview();
        pages = widget->pageCount();
        preview->reject();
    });
    Command(ID_FILE_PRINT_PREVIEW);
    EXPECT_GT(pages, 1) << "200 lines of 12-point text take more than one page";
}

TEST_F(DocumentTest, TitleKeepsAFileNameThatTheCodePageCannotHold) {
    ASSERT_TRUE(Start({}));
    const QString path = QString::fromStdString(TempPath("")) + QStringLiteral("snow\u2603.txt");
    WriteFile(QFile::encodeName(path).toStdString(), "cold");
    ASSERT_NE(App().OpenDocumentFile(QFile::encodeName(path).constData()), nullptr);
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("snow\u2603.txt - testapp"));
}

TEST_F(DocumentTest, CommandLinePrintEndsTheStartUpWithItsResult) {
    const std::string text = TempPath("print-me.txt");
    WriteFile(text, "page text\r\n");
    const std::string pdf = TempPath("cmdline.pdf");
    QPrinter& printer = platform::AfxPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    EXPECT_FALSE(Start({"-p", text}));
    EXPECT_EQ(App().m_nStartupExitCode, 0);
    EXPECT_EQ(ReadFile(pdf).substr(0, 5), "%PDF-");

    ScriptedAnswers answers;
    EXPECT_FALSE(Start({"/p", TempPath("absent.txt")}));
    EXPECT_EQ(App().m_nStartupExitCode, 1);
}

TEST_F(DocumentTest, CommandLineOpensTheNamedFileOrFails) {
    const std::string path = TempPath("start.txt");
    WriteFile(path, "from the command line");
    ASSERT_TRUE(Start({path}));
    EXPECT_EQ(Text(), "from the command line");
    EXPECT_EQ(Window()->windowTitle(), QStringLiteral("start.txt - testapp"));

    ScriptedAnswers answers;
    EXPECT_FALSE(Start({TempPath("absent.txt")}));
    EXPECT_EQ(App().m_nStartupExitCode, 1);
    EXPECT_EQ(AfxGetMainWnd(), nullptr) << "no window stays after a failed start";
    EXPECT_FALSE(Start({"-unknown"}));
    EXPECT_EQ(App().m_nStartupExitCode, 2);
}

}  // namespace

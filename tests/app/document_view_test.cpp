// The text document and its view: New, Open and Save on the raw text, the modified state,
// the question about unsaved changes, the view's font and wrapping, and printing.

#include "app_test_support.h"
#include "edit_control.h"
#include "print_job.h"
#include "reports/filter_calculation.h"
#include "resource_ids.h"

#include <QAbstractButton>
#include <QFile>
#include <QFontInfo>
#include <QMainWindow>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

using namespace app_test;

namespace {

std::string ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<unreadable>";
    }
    return file.readAll().toStdString();
}

void WriteFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void CalculateDefaults() {
    WhenModalOpens([](QWidget& open) { Button(open, IDOK).click(); });
    RunCommand(ID_CALC_FILTER);
}

void TypeIntoView(const char* text) {
    Editor().setFocus();
    QTest::keyClicks(&Editor(), text);
}

class DocumentView : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_folder.isValid());
        StartCleanDocument();
    }
    QString PathOf(const char* name) const { return m_folder.filePath(name); }

    // Saves the document under path, answering the file dialog.
    void SaveAs(const QString& path) {
        ScopedPrompts prompts;
        prompts.SaveFile(path);
        RunCommand(ID_FILE_SAVE_AS);
    }

    void Open(const QString& path) {
        ScopedPrompts prompts;
        prompts.OpenFile(path);
        RunCommand(ID_FILE_OPEN);
    }

    QTemporaryDir m_folder;
};

}  // namespace

TEST_F(DocumentView, NewEmptiesTheViewAfterACalculation) {
    CalculateDefaults();
    ASSERT_FALSE(ViewText().empty());
    RunCommand(ID_FILE_NEW);
    EXPECT_EQ(ViewText(), "");
    EXPECT_FALSE(Document().IsModified());
}

TEST_F(DocumentView, SavingAfterACalculationWritesExactlyItsText) {
    CalculateDefaults();
    const QString path = PathOf("report.txt");
    SaveAs(path);
    EXPECT_EQ(ReadFile(path), CalculateFilter(FilterEntries{}).text);
    EXPECT_FALSE(Document().IsModified());
    EXPECT_EQ(MainWindow().windowTitle(), "report.txt - vorlexi");

    RunCommand(ID_FILE_NEW);
    Open(path);
    EXPECT_EQ(ViewText(), CalculateFilter(FilterEntries{}).text);
}

TEST_F(DocumentView, OpeningAndSavingKeepsEveryByte) {
    using namespace std::string_literals;
    const std::string bytes = "crlf\r\nlf only\nlone cr\rnul\0byte\x80\x81\xB5\xFF end\0"s;
    const QString path = PathOf("raw.bin");
    WriteFile(path, bytes);
    Open(path);
    EXPECT_EQ(ViewText(), bytes);
    RunCommand(ID_FILE_SAVE);
    EXPECT_EQ(ReadFile(path), bytes);
}

TEST_F(DocumentView, TypingMarksModifiedAndNewOpenSaveStartClean) {
    TypeIntoView("typed");
    EXPECT_TRUE(Document().IsModified());

    const QString path = PathOf("typed.txt");
    SaveAs(path);
    EXPECT_FALSE(Document().IsModified()) << "after Save As";

    TypeIntoView(" more");
    ASSERT_TRUE(Document().IsModified());
    {
        ScopedPrompts discard;
        discard.MessageBox(IDNO);
        Open(path);
    }
    EXPECT_FALSE(Document().IsModified()) << "after Open";
    EXPECT_EQ(ViewText(), "typed");

    CalculateDefaults();
    EXPECT_FALSE(Document().IsModified()) << "a calculation on an opened document";
}

TEST_F(DocumentView, NewAsksAboutUnsavedTypingAndCancelKeepsEverything) {
    TypeIntoView("unsaved words");
    int asked = 0;
    {
        ScopedPrompts cancel;
        cancel.MessageBox(IDCANCEL, &asked);
        RunCommand(ID_FILE_NEW);
    }
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(ViewText(), "unsaved words");
    EXPECT_TRUE(Document().IsModified());

    const QString path = PathOf("kept.txt");
    {
        ScopedPrompts save;
        save.MessageBox(IDYES).SaveFile(path);
        RunCommand(ID_FILE_NEW);
    }
    EXPECT_EQ(ReadFile(path), "unsaved words") << "Yes saves first";
    EXPECT_EQ(ViewText(), "");
}

TEST_F(DocumentView, NoQuestionAfterACalculationOnACleanDocument) {
    CalculateDefaults();
    int asked = 0;
    ScopedPrompts count;
    count.MessageBox(IDNO, &asked);
    RunCommand(ID_FILE_NEW);
    EXPECT_EQ(asked, 0);
}

TEST_F(DocumentView, TextIsShownInTwelvePointCourierAndWrapsAtTheEdge) {
    const QFontInfo shown(Editor().font());
    EXPECT_EQ(shown.pointSize(), 12);
    EXPECT_TRUE(shown.fixedPitch()) << shown.family().toStdString();
    EXPECT_TRUE(Editor().wordWrapAtWindowEdge());
    EXPECT_EQ(Editor().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    // Opening another document keeps the font: every initial update sets it again.
    RunCommand(ID_FILE_NEW);
    EXPECT_EQ(QFontInfo(Editor().font()).pointSize(), 12);

    const std::string longLine(500, 'w');
    Editor().setRawText(longLine);
    EXPECT_EQ(ViewText(), longLine) << "wrapping is display only";
}

TEST_F(DocumentView, PrintsToPdfInCourier) {
    CalculateDefaults();
    const QString pdf = PathOf("report.pdf");
    QPrinter& printer = platform::AfxPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    {
        ScopedPrompts accept;
        accept.PrintDialog(true);
        RunCommand(ID_FILE_PRINT);
    }
    ASSERT_TRUE(QFile::exists(pdf));

    QProcess fonts;
    fonts.start("pdffonts", {pdf});
    ASSERT_TRUE(fonts.waitForFinished(30000));
    const QString listed = QString::fromLocal8Bit(fonts.readAllStandardOutput());
    EXPECT_TRUE(listed.contains("NimbusMonoPS") || listed.contains("Courier"))
        << listed.toStdString();

    QFile::remove(pdf);
    RunCommand(ID_FILE_PRINT_DIRECT);
    EXPECT_TRUE(QFile::exists(pdf)) << "print-direct prints without asking";
}

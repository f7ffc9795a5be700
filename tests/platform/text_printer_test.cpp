#include "text_printer.h"
#include "edit_control.h"
#include "gdi.h"

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace platform {
namespace {

// Output of a poppler tool run on the PDF, or nothing when the tool is not installed.
std::optional<QString> Poppler(const QString& tool, const QStringList& arguments) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PdfPrinting : public ::testing::Test {
protected:
    PrintedText print(const QString& text, int fromPage = 0, int toPage = 0) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        if (fromPage > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(fromPage, toPage);
        }
        return PrintPlainText(printer, text, MakePointFont(120, u"COURIER"_qs));
    }

    int pdfPages() {
        const auto info = Poppler(u"pdfinfo"_qs, {m_pdf});
        if (!info) {
            return -1;
        }
        for (const QString& line : info->split(u'\n')) {
            if (line.startsWith(u"Pages:"_qs)) {
                return line.mid(6).trimmed().toInt();
            }
        }
        return 0;
    }

    QTemporaryDir m_dir;
    QString m_pdf = m_dir.filePath(u"out.pdf"_qs);
};

QString NumberedLines(int count) {
    QString text;
    for (int i = 1; i <= count; ++i) {
        text += u"line %1\r\n"_qs.arg(i, 4, 10, QLatin1Char('0'));
    }
    return text;
}

TEST_F(PdfPrinting, EmbedsCourierAsNimbusMonoPs) {
    const PrintedText printed = print(u"Coefficients for H(z)\r\n\r\nnum[0] = 2.693670e-02\r\n"_qs);
    ASSERT_TRUE(printed.ok()) << printed.error.toStdString();
    EXPECT_EQ(printed.pages, 1);
    const auto fonts = Poppler(u"pdffonts"_qs, {m_pdf});
    if (!fonts) {
        GTEST_SKIP() << "pdffonts (poppler-utils) is not installed";
    }
    EXPECT_TRUE(fonts->contains(u"NimbusMonoPS"_qs)) << fonts->toStdString();
    for (const QString& line : fonts->split(u'\n')) {
        if (line.contains(u"NimbusMonoPS"_qs)) {
            EXPECT_TRUE(line.contains(u" yes "_qs)) << "not embedded: " << line.toStdString();
        }
    }
}

TEST_F(PdfPrinting, PaginatesWithoutLosingALineAndWrapsLongLines) {
    QString text = NumberedLines(150);
    QString longLine;
    for (int i = 0; i < 80; ++i) {
        longLine += u"w%1 "_qs.arg(i);
    }
    text += longLine + u"END"_qs;
    const PrintedText printed = print(text);
    ASSERT_TRUE(printed.ok());
    EXPECT_GE(printed.pages, 3);  // about fifty 12-point lines fit an A4 page

    const int pages = pdfPages();
    if (pages < 0) {
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    }
    EXPECT_EQ(pages, printed.pages);
    const auto extracted = Poppler(u"pdftotext"_qs, {u"-layout"_qs, m_pdf, u"-"_qs});
    ASSERT_TRUE(extracted);
    for (int i = 1; i <= 150; ++i) {
        EXPECT_TRUE(extracted->contains(u"line %1"_qs.arg(i, 4, 10, QLatin1Char('0')))) << i;
    }
    EXPECT_TRUE(extracted->contains(u"w0 "_qs));
    EXPECT_TRUE(extracted->contains(u"w79 END"_qs)) << "the end of the long line was cut off";
}

TEST_F(PdfPrinting, TabsStopEveryEightColumnsAndDoNotWrapShortLines) {
    QString text;
    for (int i = 0; i < 40; ++i) {
        text += u"x\ty\t\tz\r\n"_qs;
    }
    const PrintedText printed = print(text);
    ASSERT_TRUE(printed.ok());
    EXPECT_EQ(printed.pages, 1);
}

TEST_F(PdfPrinting, PrintsOnlyThePageRangeAsked) {
    const PrintedText all = print(NumberedLines(150));
    ASSERT_TRUE(all.ok());
    ASSERT_GE(all.pages, 3);
    const PrintedText second = print(NumberedLines(150), 2, 2);
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(second.pages, 1);
    const auto extracted = Poppler(u"pdftotext"_qs, {m_pdf, u"-"_qs});
    if (!extracted) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    EXPECT_FALSE(extracted->contains(u"line 0001"_qs));
    EXPECT_FALSE(extracted->contains(u"line 0150"_qs));
}

TEST_F(PdfPrinting, EmptyTextPrintsOneEmptyPage) {
    const PrintedText printed = print(QString());
    EXPECT_TRUE(printed.ok());
    EXPECT_EQ(printed.pages, 1);
}

}  // namespace
}  // namespace platform

#pragma once
// Printing plain text: the one routine behind Print, print-direct and Print Preview, so the
// preview shows exactly the pages that print.

#include <QFont>
#include <QString>
#include <QStringView>

class QPrinter;

namespace platform {

// Page margins used where the printer's own are smaller (PDF output has none).
inline constexpr double kMinimumPageMarginMillimetres = 20.0;

struct PrintedText {
    int pages = 0;  // pages sent to the printer
    QString error;  // empty on success, else a message ready to show the user
    bool ok() const { return error.isEmpty(); }
};

// Prints text in font, paginated, to any QPrinter: a real printer, a PDF file
// (QPrinter::PdfFormat) or the printer of a QPrintPreviewWidget. Lines end at CR LF, lone LF
// or lone CR; lines wider than the page wrap between words where they can, tabs stop every
// eight characters. Only the pages in the printer's page range (fromPage/toPage, as the print
// dialog sets them) are printed; copies are the print engine's. Empty text prints one empty
// page.
PrintedText PrintPlainText(QPrinter& printer, QStringView text, const QFont& font);

}  // namespace platform

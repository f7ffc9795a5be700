#include "text_printer.h"

#include "line_breaks.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>
#include <limits>

namespace platform {
namespace {

constexpr int kTabStopCharacters = 8;
constexpr double kMillimetresPerInch = 25.4;
constexpr double kTabDistanceDpi = 96.0;

// The area to print in, in the painter's coordinates: the printer's printable area, less
// whatever more the minimum margins take.
QRectF BodyRect(const QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF printable = printer.pageRect(QPrinter::DevicePixel);
    const double margin =
        kMinimumPageMarginMillimetres / kMillimetresPerInch * printer.resolution();
    QRectF body = paper.adjusted(margin, margin, -margin, -margin).intersected(printable);
    if (!printer.fullPage()) {
        body.translate(-printable.topLeft());
    }
    return body;
}

// Decides which laid-out pages reach the printer and starts each printed page.
class PageSequence {
public:
    PageSequence(QPrinter& printer) : m_printer(printer) {
        m_first = std::max(printer.fromPage(), 1);
        m_last = printer.toPage() > 0 ? printer.toPage() : std::numeric_limits<int>::max();
    }

    // Moves on to the next laid-out page; false when the printer refused a new page.
    bool advance() {
        ++m_current;
        if (!isPrinted()) {
            return true;
        }
        if (m_printed > 0 && !m_printer.newPage()) {
            return false;
        }
        ++m_printed;
        return true;
    }

    bool isPrinted() const { return m_current >= m_first && m_current <= m_last; }
    int printed() const { return m_printed; }

private:
    QPrinter& m_printer;
    int m_first = 1;
    int m_last = 1;
    int m_current = 0;
    int m_printed = 0;
};

}  // namespace

PrintedText PrintPlainText(QPrinter& printer, QStringView text, const QFont& font) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return {0, QStringLiteral("The printer could not be started.")};
    }
    const QFont printFont(font, &printer);
    painter.setFont(printFont);
    painter.setPen(Qt::black);

    const QRectF body = BodyRect(printer);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // QTextLayout scales tab distances from 96 dpi to the device's resolution itself.
    const double spaceWidth =
        QFontMetricsF(printFont, &printer).horizontalAdvance(QLatin1Char(' '));
    option.setTabStopDistance(kTabStopCharacters * spaceWidth * kTabDistanceDpi /
                              printer.logicalDpiY());

    PageSequence pages(printer);
    bool pageRefused = !pages.advance();
    double y = body.top();
    for (const TextLine& line : SplitLines(text)) {
        if (pageRefused) {
            break;
        }
        QTextLayout layout(text.sliced(line.start, line.length).toString(), printFont, &printer);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(body.width());
        }
        layout.endLayout();

        for (int i = 0; i < layout.lineCount(); ++i) {
            QTextLine row = layout.lineAt(i);
            // A row taller than the whole page still goes on a page of its own rather than
            // forcing endless empty pages.
            if (y + row.height() > body.bottom() && y > body.top()) {
                if (!pages.advance()) {
                    pageRefused = true;
                    break;
                }
                y = body.top();
            }
            if (pages.isPrinted()) {
                row.setPosition(QPointF(0, 0));
                row.draw(&painter, QPointF(body.left(), y));
            }
            y += row.height();
        }
    }

    const bool ended = painter.end();
    if (pageRefused || !ended || printer.printerState() == QPrinter::Error) {
        return {pages.printed(),
                QStringLiteral("The printer stopped before all pages were printed.")};
    }
    return {pages.printed(), {}};
}

}  // namespace platform

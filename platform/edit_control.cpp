#include "edit_control.h"

#include "code_page.h"
#include "line_breaks.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <array>

namespace platform {
namespace {

// The break that precedes a block lives in its block format. Absent means CR LF, so that
// blocks Qt makes on its own (and every break the user types) are CR LF.
constexpr int kPrecedingBreakProperty = QTextFormat::UserProperty + 1;

// Tab stops every eight characters, as a plain-text editor has them.
constexpr int kTabStopCharacters = 8;

LineBreak PrecedingBreak(const QTextBlock& block) {
    const QVariant value = block.blockFormat().property(kPrecedingBreakProperty);
    return value.isValid() ? static_cast<LineBreak>(value.toInt()) : LineBreak::CrLf;
}

QTextBlockFormat FormatWithPrecedingBreak(QTextBlockFormat format, LineBreak lineBreak) {
    if (lineBreak == LineBreak::CrLf) {
        format.clearProperty(kPrecedingBreakProperty);
    } else {
        format.setProperty(kPrecedingBreakProperty, static_cast<int>(lineBreak));
    }
    return format;
}

// QTextCursor::insertText() starts a new block at these characters; inside a line they
// would silently become line breaks. Paragraph and line separators are breaks in a Unicode
// text anyway; the two frame markers are noncharacters that no text has a use for.
QString WithBreakCharactersAsCrLf(QString text) {
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    text.replace(QChar(0xFDD0), QChar::ReplacementCharacter);
    text.replace(QChar(0xFDD1), QChar::ReplacementCharacter);
    return text;
}

}  // namespace

EditControl::EditControl(QWidget* parent) : QPlainTextEdit(parent) {
    setWordWrapAtWindowEdge(false);
    connect(document(), &QTextDocument::contentsChange, this, &EditControl::onContentsChange);
    updateTabStops();
}

void EditControl::setRawText(std::string_view bytes, UndoHistory history) {
    replaceAllText(FromCodePage(bytes), history);
}

std::string EditControl::rawText() const { return ToCodePage(text()); }

void EditControl::setText(const QString& text, UndoHistory history) {
    replaceAllText(WithBreakCharactersAsCrLf(text), history);
}

QString EditControl::text() const {
    const QTextDocument* doc = document();
    QString result;
    result.reserve(doc->characterCount());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin()) {
            result += LineBreakText(PrecedingBreak(block));
        }
        result += block.text();
    }
    return result;
}

std::optional<qsizetype> EditControl::firstUnstorableCharacter() const {
    return FirstUnstorable(text());
}

void EditControl::setWordWrapAtWindowEdge(bool wrap) {
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
}

bool EditControl::canUndo() const { return document()->isUndoAvailable(); }

bool EditControl::hasSelection() const { return textCursor().hasSelection(); }

bool EditControl::canPaste() const { return !isReadOnly() && QPlainTextEdit::canPaste(); }

void EditControl::keyPressEvent(QKeyEvent* event) {
    // Enter and Shift+Enter both end the line with CR LF; Qt would make Shift+Enter a line
    // separator inside the paragraph, which no file can hold.
    const bool isEnter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const auto modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (isEnter && modifiers == Qt::NoModifier && !isReadOnly()) {
        insertUserText(QStringLiteral("\r\n"));
        event->accept();
        return;
    }
    // Alt with a letter that no menu takes as its mnemonic (those never get here) types
    // nothing: it beeps, as the old edit control does, instead of changing the text.
    const bool isAltText = modifiers.testFlag(Qt::AltModifier) &&
                           !modifiers.testFlag(Qt::ControlModifier) && !event->text().isEmpty() &&
                           event->text().front().isPrint();
    if (isAltText) {
        QApplication::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void EditControl::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateTabStops();
    }
}

void EditControl::updateTabStops() {
    setTabStopDistance(kTabStopCharacters * fontMetrics().horizontalAdvance(QLatin1Char(' ')));
}

QMimeData* EditControl::createMimeDataFromSelection() const {
    // The selection as it stands: QPlainTextEdit's own copy would turn no-break spaces into
    // spaces. Lines are joined with LF, the clipboard's convention on this desktop.
    QString selected = textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    auto* data = new QMimeData;
    data->setText(selected);
    return data;
}

bool EditControl::canInsertFromMimeData(const QMimeData* source) const { return source->hasText(); }

void EditControl::insertFromMimeData(const QMimeData* source) {
    if (source->hasText()) {
        insertUserText(source->text());
    }
}

void EditControl::insertUserText(const QString& text) {
    const QString withBreaks = WithBreakCharactersAsCrLf(text);
    const std::vector<TextLine> lines = SplitLines(withBreaks);
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) {
            cursor.insertBlock(FormatWithPrecedingBreak(cursor.blockFormat(), LineBreak::CrLf));
        }
        if (lines[i].length > 0) {
            cursor.insertText(withBreaks.sliced(lines[i].start, lines[i].length));
        }
    }
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void EditControl::replaceAllText(const QString& unicodeText, UndoHistory history) {
    const std::vector<TextLine> lines = SplitLines(unicodeText);

    // Qt gives every block that one insertText() makes the current block's format, so the
    // most common break goes into that format and only the other lines are touched afterwards.
    std::array<std::size_t, 3> breakCounts{};
    QString joined;
    joined.reserve(unicodeText.size());
    for (const TextLine& line : lines) {
        joined += QStringView(unicodeText).sliced(line.start, line.length);
        if (line.hasBreak) {
            joined += QChar::ParagraphSeparator;
            ++breakCounts[static_cast<std::size_t>(line.lineBreak)];
        }
    }
    LineBreak commonBreak = LineBreak::CrLf;
    for (const LineBreak candidate : {LineBreak::Lf, LineBreak::Cr}) {
        if (breakCounts[static_cast<std::size_t>(candidate)] >
            breakCounts[static_cast<std::size_t>(commonBreak)]) {
            commonBreak = candidate;
        }
    }

    QTextDocument* doc = document();
    const bool wasModified = doc->isModified();
    m_replacing = true;
    if (history == UndoHistory::Clear) {
        doc->setUndoRedoEnabled(false);
    }

    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    cursor.setBlockFormat(FormatWithPrecedingBreak(cursor.blockFormat(), commonBreak));
    cursor.insertText(joined);
    QTextBlock block = doc->begin().next();
    for (std::size_t i = 0; i < lines.size() && block.isValid(); ++i, block = block.next()) {
        if (lines[i].hasBreak && lines[i].lineBreak != commonBreak) {
            QTextCursor(block).setBlockFormat(
                FormatWithPrecedingBreak(block.blockFormat(), lines[i].lineBreak));
        }
    }
    cursor.endEditBlock();

    if (history == UndoHistory::Clear) {
        doc->setUndoRedoEnabled(true);
    }
    doc->setModified(wasModified);
    m_replacing = false;

    setTextCursor(QTextCursor(doc));
    ensureCursorVisible();
}

void EditControl::onContentsChange(int, int charsRemoved, int charsAdded) {
    if (m_replacing || (charsRemoved == 0 && charsAdded == 0)) {
        return;
    }
    emit userEdited();
}

}  // namespace platform

#pragma once
// The edit view's control: a plain-text editor that gives back exactly the bytes it was given.
//
// Qt's text widget folds CR LF, lone CR and lone LF into one paragraph break, so the control
// keeps what each line break was: a property of the line that follows it, carried in the
// block format so that undo and redo restore it too. Every other character, NUL and the C0
// and C1 controls included, is held as it is. rawText() after setRawText() is always the
// same bytes.
//
// Line breaks the user makes (Enter, Shift+Enter, pasting or dropping text with breaks of any
// kind) are CR LF, the line break every text the program writes uses.
//
// Modified state: userEdited() is emitted for every change of the text not made by
// setText()/setRawText(): typing, cutting, pasting, dropping, undo and redo. Replacing the
// whole text emits nothing, but is one undo step (unless the caller clears the history, as
// opening a file may): undoing it brings the previous text back and emits userEdited(),
// because the text then differs from what was set, saved or loaded.

#include <QPlainTextEdit>
#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class EditControl : public QPlainTextEdit {
    Q_OBJECT

public:
    enum class UndoHistory {
        KeepReplacementAsStep,  // the replacement can be undone
        Clear,                  // the replacement starts a fresh history
    };

    explicit EditControl(QWidget* parent = nullptr);

    // The whole text as Windows-1252 bytes. Setting it does not count as a user edit.
    void setRawText(std::string_view bytes,
                    UndoHistory history = UndoHistory::KeepReplacementAsStep);
    std::string rawText() const;

    // The whole text as Unicode, line breaks written out ("\r\n", "\n", "\r"). Use these, not
    // QPlainTextEdit's setPlainText()/toPlainText(), which fold the breaks, turn no-break spaces
    // into spaces and clear the undo history. setText() takes
    // "\r\n", "\n" and "\r" as they are and U+2028/U+2029 as CR LF.
    void setText(const QString& text, UndoHistory history = UndoHistory::KeepReplacementAsStep);
    QString text() const;

    // Index (UTF-16 units, into text()) of the first character Windows-1252 cannot store.
    std::optional<qsizetype> firstUnstorableCharacter() const;

    // On: long lines wrap at the widget's right edge, between words where possible, and there
    // is no horizontal scroll bar. Display only: the text keeps its lines unbroken.
    void setWordWrapAtWindowEdge(bool wrap);
    bool wordWrapAtWindowEdge() const { return lineWrapMode() == QPlainTextEdit::WidgetWidth; }

    // Queries for enabling the Edit menu's commands; the commands themselves are
    // QPlainTextEdit's undo(), cut(), copy() and paste() slots.
    bool canUndo() const;
    bool hasSelection() const;
    bool canPaste() const;

signals:
    void userEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void replaceAllText(const QString& unicodeText, UndoHistory history);
    void insertUserText(const QString& text);
    void onContentsChange(int position, int charsRemoved, int charsAdded);
    void updateTabStops();

    bool m_replacing = false;
};

}  // namespace platform

#pragma once
// The pane below the plot: the figures vorlexi-calc --response gives, and the design as
// text for a chosen program, with Copy and Save.

#include <QWidget>

#include <memory>

#include "design_outcome.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class ExportPane : public QWidget {
    Q_OBJECT
public:
    explicit ExportPane(QWidget* parent = nullptr);

    void SetOutcome(std::shared_ptr<const DesignOutcome> outcome);
    ExportProgram Program() const;
    void SetProgram(ExportProgram program);

    // What the pane shows now: the figures and the program's text (empty when refused).
    QString FiguresText() const;
    QString ExportedText() const;

    QComboBox* ProgramBox() const { return m_program; }

public slots:
    void CopyText();
    void SaveText();

signals:
    void ProgramChanged();
    // Whether there is text to copy and save (none while a design is refused).
    void TextAvailable(bool available);

private:
    void ShowText();

    std::shared_ptr<const DesignOutcome> m_outcome;
    QLabel* m_figures;
    QComboBox* m_program;
    QPlainTextEdit* m_text;
    QPushButton* m_copy;
    QPushButton* m_save;
    bool m_textUsable = false;
};

#include "export_pane.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "file_saving.h"

ExportPane::ExportPane(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    m_figures = new QLabel;
    m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_figures->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_figures->setAccessibleName(tr("Figures"));
    m_figures->setWordWrap(true);
    layout->addWidget(m_figures);

    auto* row = new QHBoxLayout;
    m_program = new QComboBox;
    m_program->setAccessibleName(tr("Program"));
    for (const ExportProgramInfo& info : ExportPrograms()) {
        m_program->addItem(tr(info.title));
    }
    auto* label = new QLabel(tr("Te&xt for:"));
    label->setBuddy(m_program);
    m_copy = new QPushButton(tr("&Copy"));
    m_copy->setAccessibleName(tr("Copy the text"));
    m_save = new QPushButton(tr("Save…"));
    m_save->setAccessibleName(tr("Save the text"));
    row->addWidget(label);
    row->addWidget(m_program, 1);
    row->addWidget(m_copy);
    row->addWidget(m_save);
    layout->addLayout(row);

    m_text = new QPlainTextEdit;
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setAccessibleName(tr("Text for the program"));
    m_text->setTabChangesFocus(true);
    layout->addWidget(m_text, 1);

    connect(m_program, &QComboBox::currentIndexChanged, this, [this] {
        ShowText();
        emit ProgramChanged();
    });
    connect(m_copy, &QPushButton::clicked, this, &ExportPane::CopyText);
    connect(m_save, &QPushButton::clicked, this, &ExportPane::SaveText);
    ShowText();
}

void ExportPane::SetOutcome(std::shared_ptr<const DesignOutcome> outcome) {
    m_outcome = std::move(outcome);
    ShowText();
}

ExportProgram ExportPane::Program() const {
    return ExportPrograms()[static_cast<std::size_t>(std::max(0, m_program->currentIndex()))]
        .program;
}

void ExportPane::SetProgram(ExportProgram program) {
    m_program->setCurrentIndex(static_cast<int>(program));
}

QString ExportPane::FiguresText() const { return m_figures->text(); }

QString ExportPane::ExportedText() const {
    return m_textUsable ? m_text->toPlainText() : QString();
}

void ExportPane::ShowText() {
    m_textUsable = false;
    if (!m_outcome) {
        m_figures->setText(tr("Designing…"));
        m_text->clear();
    } else if (!m_outcome->design) {
        m_figures->setText(QString::fromStdString(m_outcome->error));
        m_text->clear();
    } else {
        m_figures->setText(QString::fromStdString(m_outcome->figures).trimmed());
        const Result<std::string>& text = m_outcome->texts[static_cast<std::size_t>(Program())];
        m_textUsable = text.ok();
        m_text->setPlainText(QString::fromStdString(text ? *text : text.error()));
    }
    m_copy->setEnabled(m_textUsable);
    m_save->setEnabled(m_textUsable);
    emit TextAvailable(m_textUsable);
}

void ExportPane::CopyText() {
    if (m_textUsable) {
        QApplication::clipboard()->setText(m_text->toPlainText());
    }
}

void ExportPane::SaveText() {
    if (!m_textUsable) {
        return;
    }
    const ExportProgramInfo& info = ExportPrograms()[static_cast<std::size_t>(Program())];
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save the text for %1").arg(tr(info.title)),
        QStringLiteral("vorlexi-%1%2")
            .arg(QString::fromLatin1(info.calcFormat), QString::fromLatin1(info.fileSuffix)));
    if (!path.isEmpty()) {
        SaveOrComplain(this, path, m_text->toPlainText().toUtf8());
    }
}

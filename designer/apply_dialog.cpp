#include "apply_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "apply_run.h"

ApplyDialog::ApplyDialog(ApplyRun* run, const QString& designTitle, QWidget* parent)
    : QDialog(parent), m_run(run) {
    setWindowTitle(tr("Apply to Files"));
    m_run->setParent(this);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(designTitle);
    title->setWordWrap(true);
    layout->addWidget(title);
    m_status = new QLabel;
    m_status->setAccessibleName(tr("Status"));
    layout->addWidget(m_status);
    m_files = new QListWidget;
    m_files->setAccessibleName(tr("Files"));
    layout->addWidget(m_files, 1);
    m_progress = new QProgressBar;
    m_progress->setRange(0, m_run->FileCount());
    m_progress->setAccessibleName(tr("Progress"));
    layout->addWidget(m_progress);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &ApplyDialog::reject);
    resize(560, 360);

    connect(m_run, &ApplyRun::FileStarted, this, [this](int index, const QString& input) {
        m_status->setText(tr("Equalising %1 (%2 of %3)…")
                              .arg(QFileInfo(input).fileName())
                              .arg(index + 1)
                              .arg(m_run->FileCount()));
        m_files->addItem(QFileInfo(input).fileName());
    });
    connect(m_run, &ApplyRun::FileDone, this, [this](int index, bool ok, const QString& message) {
        if (QListWidgetItem* item = m_files->item(index)) {
            item->setText(item->text() + QStringLiteral(": ") + (ok ? tr("done") : message));
        }
        m_failed += ok ? 0 : 1;
        m_progress->setValue(index + 1);
    });
    connect(m_run, &ApplyRun::Finished, this, [this](bool cancelled) {
        m_running = false;
        m_status->setText(cancelled       ? tr("Cancelled.")
                          : m_failed == 0 ? tr("All files equalised.")
                                          : tr("%n file(s) could not be equalised.", "", m_failed));
        m_buttons->setStandardButtons(QDialogButtonBox::Close);
        m_buttons->button(QDialogButtonBox::Close)->setFocus();
    });
    m_run->Start();
}

void ApplyDialog::reject() {
    if (m_running) {
        m_status->setText(tr("Cancelling…"));
        m_run->Cancel();
        return;
    }
    QDialog::reject();
}

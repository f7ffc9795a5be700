#pragma once
// The progress of an ApplyRun: each file with what became of it, a progress bar, and
// Cancel that turns into Close once the run is over.

#include <QDialog>

class ApplyRun;
class QDialogButtonBox;
class QLabel;
class QListWidget;
class QProgressBar;

class ApplyDialog : public QDialog {
    Q_OBJECT
public:
    // Takes over the run and starts it.
    ApplyDialog(ApplyRun* run, const QString& designTitle, QWidget* parent = nullptr);

protected:
    void reject() override;

private:
    ApplyRun* m_run;
    QLabel* m_status;
    QListWidget* m_files;
    QProgressBar* m_progress;
    QDialogButtonBox* m_buttons;
    bool m_running = true;
    int m_failed = 0;
};

#pragma once
// File > Apply to Files…: vorlexi-calc apply, one process a file, one file after another,
// so the window stays responsive and Cancel stops the file being written (SIGTERM: the
// tool's safe writer removes its unfinished file).

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

class ApplyRun : public QObject {
    Q_OBJECT
public:
    // calc: the vorlexi-calc to run; designArguments: the options that make the design.
    ApplyRun(QString calc, QStringList designArguments, QStringList inputs, QString outputDir,
             QObject* parent = nullptr);
    // A run still going when its window closes is cancelled as Cancel does (QProcess
    // would otherwise kill the tool outright, leaving its temporary file to the next run).
    ~ApplyRun() override;

    void Start();
    void Cancel();
    int FileCount() const { return static_cast<int>(m_inputs.size()); }

signals:
    void FileStarted(int index, const QString& input);
    // message: what vorlexi-calc said on failure, empty on success.
    void FileDone(int index, bool ok, const QString& message);
    void Finished(bool cancelled);

private:
    void StartNext();
    void OnProcessFinished(int exitCode, QProcess::ExitStatus status);

    QString m_calc;
    QStringList m_designArguments;
    QStringList m_inputs;
    QString m_outputDir;
    QProcess m_process;
    int m_next = 0;
    bool m_cancelled = false;
};

// The vorlexi-calc to run: the one beside this program (an installed tree, a build tree),
// else the one on PATH; empty when there is none.
QString LocateCalc();

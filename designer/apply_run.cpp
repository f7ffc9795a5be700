#include "apply_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

ApplyRun::ApplyRun(QString calc, QStringList designArguments, QStringList inputs, QString outputDir,
                   QObject* parent)
    : QObject(parent),
      m_calc(std::move(calc)),
      m_designArguments(std::move(designArguments)),
      m_inputs(std::move(inputs)),
      m_outputDir(std::move(outputDir)) {
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    connect(&m_process, &QProcess::finished, this, &ApplyRun::OnProcessFinished);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            emit FileDone(m_next - 1, false,
                          tr("cannot start %1: %2").arg(m_calc, m_process.errorString()));
            emit Finished(false);
        }
    });
}

ApplyRun::~ApplyRun() {
    if (m_process.state() != QProcess::NotRunning) {
        m_cancelled = true;
        m_process.disconnect(this);
        m_process.terminate();
        m_process.waitForFinished(5000);
    }
}

void ApplyRun::Start() { StartNext(); }

void ApplyRun::Cancel() {
    m_cancelled = true;
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
    } else {
        emit Finished(true);
    }
}

void ApplyRun::StartNext() {
    if (m_cancelled || m_next >= m_inputs.size()) {
        emit Finished(m_cancelled);
        return;
    }
    const int index = m_next++;
    emit FileStarted(index, m_inputs[index]);
    if (m_cancelled) {
        return;  // cancelled from a slot of FileStarted, which has said Finished already
    }
    QStringList arguments = {QStringLiteral("apply")};
    arguments << m_designArguments << QStringLiteral("--quiet") << QStringLiteral("--output-dir")
              << m_outputDir << QStringLiteral("--") << m_inputs[index];
    m_process.start(m_calc, arguments);
}

void ApplyRun::OnProcessFinished(int exitCode, QProcess::ExitStatus status) {
    const bool ok = status == QProcess::NormalExit && exitCode == 0;
    const QString message =
        ok ? QString() : QString::fromUtf8(m_process.readAllStandardError()).trimmed();
    emit FileDone(m_next - 1, ok,
                  m_cancelled                ? tr("cancelled")
                  : message.isEmpty() && !ok ? tr("failed")
                                             : message);
    StartNext();
}

QString LocateCalc() {
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("vorlexi-calc"));
    if (QFileInfo(beside).isExecutable()) {
        return beside;
    }
    // A build tree keeps the tool in its own folder beside the designer's.
    const QString inBuild = QDir(QCoreApplication::applicationDirPath())
                                .filePath(QStringLiteral("../cli/vorlexi-calc"));
    if (QFileInfo(inBuild).isExecutable()) {
        return QFileInfo(inBuild).canonicalFilePath();
    }
    return QStandardPaths::findExecutable(QStringLiteral("vorlexi-calc"));
}

#include "design_runner.h"

#include <QtConcurrent/QtConcurrentRun>

DesignRunner::DesignRunner(QObject* parent) : QObject(parent) {
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &DesignRunner::OnFinished);
}

DesignRunner::~DesignRunner() { m_watcher.waitForFinished(); }

void DesignRunner::Request(const DesignerSettings& settings) {
    if (m_watcher.isRunning()) {
        m_waiting = settings;
        return;
    }
    Start(settings);
}

bool DesignRunner::IsIdle() const { return !m_watcher.isRunning() && !m_waiting; }

void DesignRunner::Start(const DesignerSettings& settings) {
    m_watcher.setFuture(QtConcurrent::run([settings] {
        return std::shared_ptr<const DesignOutcome>(
            std::make_shared<DesignOutcome>(MakeOutcome(settings)));
    }));
}

void DesignRunner::OnFinished() {
    const std::shared_ptr<const DesignOutcome> outcome = m_watcher.result();
    if (m_waiting) {
        // Still shown: an outdated outcome is nearer the panel than the one on screen.
        const DesignerSettings next = *m_waiting;
        m_waiting.reset();
        Start(next);
    }
    emit Finished(outcome);
}

#pragma once
// Runs MakeOutcome off the GUI thread, one at a time. A request made while one runs waits
// in the one waiting place, and a newer request replaces it there: while a user scrolls
// through the rates, only the last one is worked out after the running one.

#include <QFutureWatcher>
#include <QObject>

#include <memory>
#include <optional>

#include "design_outcome.h"

class DesignRunner : public QObject {
    Q_OBJECT
public:
    explicit DesignRunner(QObject* parent = nullptr);
    ~DesignRunner() override;

    void Request(const DesignerSettings& settings);
    bool IsIdle() const;

signals:
    void Finished(std::shared_ptr<const DesignOutcome> outcome);

private:
    void Start(const DesignerSettings& settings);
    void OnFinished();

    QFutureWatcher<std::shared_ptr<const DesignOutcome>> m_watcher;
    std::optional<DesignerSettings> m_waiting;
};

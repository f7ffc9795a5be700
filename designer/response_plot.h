#pragma once
// The response of a design beside its curve, painted: the magnitude (both 0 dB at 1 kHz),
// optionally the phase, and the deviation on a scale of its own below, over 10 Hz to fs/2
// on a log axis. Paint() draws into any painter, so the PNG export is the picture on
// screen.

#include <QWidget>

#include <memory>

#include "design_outcome.h"

class QPainter;

class ResponsePlot : public QWidget {
    Q_OBJECT
public:
    explicit ResponsePlot(QWidget* parent = nullptr);

    void SetOutcome(std::shared_ptr<const DesignOutcome> outcome);
    void SetPhaseShown(bool shown);
    bool PhaseShown() const { return m_phaseShown; }

    void Paint(QPainter& painter, const QRect& area) const;
    QSize sizeHint() const override { return {640, 420}; }

signals:
    // After the newest outcome has been painted: what the redraw benchmark waits for.
    void Painted();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const DesignOutcome> m_outcome;
    bool m_phaseShown = false;
    bool m_paintPending = false;
};

#include "response_plot.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <functional>

#include "base/number_text.h"
#include "plot_axes.h"
#include "reports/design_text.h"

namespace {

constexpr double kMargin = 8.0;
constexpr double kLeftLabels = 48.0;
constexpr double kBottomLabels = 22.0;
constexpr double kPanelGap = 26.0;

const QColor kDesignColour(0xb0, 0x30, 0x20);
const QColor kCurveColour(0x30, 0x60, 0xc0);
const QColor kDeviationColour(0x20, 0x80, 0x40);
const QColor kGridColour(0xdd, 0xdd, 0xdd);

using Value = std::function<double(const ResponsePoint&)>;

QString Text(const std::string& text) { return QString::fromStdString(text); }

LinearAxis RangeOf(const std::vector<ResponsePoint>& plot, const std::vector<Value>& values,
                   double minimumSpan) {
    double low = INFINITY, high = -INFINITY;
    for (const ResponsePoint& p : plot) {
        for (const Value& value : values) {
            const double v = value(p);
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
    }
    return RoundedAxis(low, high, minimumSpan);
}

void DrawPanel(QPainter& painter, const QRectF& panel, const LogAxis& x, const LinearAxis& y,
               const QString& unit) {
    painter.setPen(kGridColour);
    for (double hz : FrequencyGrid(x)) {
        painter.drawLine(QPointF(x.X(panel, hz), panel.top()),
                         QPointF(x.X(panel, hz), panel.bottom()));
    }
    const QFontMetricsF metrics(painter.font());
    for (double v : GridValues(y)) {
        const double at = y.Y(panel, v);
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(panel.left(), at), QPointF(panel.right(), at));
        painter.setPen(Qt::black);
        const QString label = Text(FormatSignificant(v, 4));
        painter.drawText(QRectF(panel.left() - kLeftLabels, at - metrics.height() / 2,
                                kLeftLabels - 4, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
    painter.setPen(Qt::black);
    painter.drawText(QRectF(panel.left() + 4, panel.top() + 2, panel.width() - 8, metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop, unit);
    painter.drawRect(panel);
}

void DrawLine(QPainter& painter, const QRectF& panel, const LogAxis& x, const LinearAxis& y,
              const std::vector<ResponsePoint>& plot, const Value& value, const QPen& pen) {
    QPainterPath path;
    bool drawing = false;
    for (const ResponsePoint& p : plot) {
        const double v = value(p);
        if (!std::isfinite(v)) {
            drawing = false;
            continue;
        }
        const QPointF point(x.X(panel, p.frequencyHz), y.Y(panel, std::clamp(v, y.low, y.high)));
        drawing ? path.lineTo(point) : path.moveTo(point);
        drawing = true;
    }
    painter.setPen(pen);
    painter.drawPath(path);
}

void DrawFrequencyLabels(QPainter& painter, const QRectF& panel, const LogAxis& x) {
    const QFontMetricsF metrics(painter.font());
    painter.setPen(Qt::black);
    for (double hz : FrequencyGrid(x)) {
        if (IsDecade(hz)) {
            painter.drawText(QRectF(x.X(panel, hz) - 30, panel.bottom() + 2, 60, metrics.height()),
                             Qt::AlignHCenter | Qt::AlignTop, Text(FrequencyLabel(hz)));
        }
    }
    painter.drawText(QRectF(panel.right() - 60, panel.bottom() + 2, 60, metrics.height()),
                     Qt::AlignRight | Qt::AlignTop, QStringLiteral("Hz"));
}

// The part above the audio band, where a design is not judged.
void ShadeAboveBand(QPainter& painter, const QRectF& panel, const LogAxis& x, double bandTopHz) {
    if (bandTopHz < x.highHz) {
        const double left = x.X(panel, bandTopHz);
        painter.fillRect(QRectF(left, panel.top(), panel.right() - left, panel.height()),
                         QColor(0xf0, 0xf0, 0xf0));
    }
}

}  // namespace

ResponsePlot::ResponsePlot(QWidget* parent) : QWidget(parent) {
    setAccessibleName(tr("Response plot"));
    setAccessibleDescription(
        tr("The design's magnitude beside the curve's, and the deviation between them"));
    setMinimumSize(360, 260);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void ResponsePlot::SetOutcome(std::shared_ptr<const DesignOutcome> outcome) {
    m_outcome = std::move(outcome);
    m_paintPending = true;
    update();
}

void ResponsePlot::SetPhaseShown(bool shown) {
    m_phaseShown = shown;
    update();
}

void ResponsePlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter, rect());
    if (m_paintPending) {
        m_paintPending = false;
        emit Painted();
    }
}

void ResponsePlot::Paint(QPainter& painter, const QRect& area) const {
    painter.fillRect(area, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!m_outcome || !m_outcome->design || m_outcome->plot.empty()) {
        painter.setPen(Qt::black);
        painter.drawText(area.adjusted(20, 20, -20, -20), Qt::AlignCenter | Qt::TextWordWrap,
                         m_outcome ? Text(m_outcome->error) : tr("Designing…"));
        return;
    }
    const Design& design = *m_outcome->design;
    const std::vector<ResponsePoint>& plot = m_outcome->plot;
    const QFontMetricsF metrics(painter.font());

    painter.setPen(Qt::black);
    const QRectF titleArea(area.left() + kMargin, area.top() + kMargin, area.width() - 2 * kMargin,
                           metrics.height());
    painter.drawText(titleArea, Qt::AlignHCenter | Qt::AlignTop, Text(PlotTitle(design)));

    const double top = titleArea.bottom() + kMargin;
    const double left = area.left() + kMargin + kLeftLabels;
    const double width = area.right() - kMargin - left;
    const double height = area.bottom() - kMargin - top - kBottomLabels;
    const int panels = m_phaseShown ? 3 : 2;
    // The magnitude gets the most room; the others share the rest.
    const double weights = m_phaseShown ? 4.0 : 3.0;
    const double unit = (height - (panels - 1) * kPanelGap) / weights;

    const LogAxis x{plot.front().frequencyHz, plot.back().frequencyHz};
    const double bandTopHz = m_outcome->summary->bandHighHz;

    QRectF panel(left, top, width, 2.0 * unit);
    const LinearAxis magnitude =
        RangeOf(plot, {&ResponsePoint::gainDb, &ResponsePoint::prototypeGainDb}, 10.0);
    ShadeAboveBand(painter, panel, x, bandTopHz);
    DrawPanel(painter, panel, x, magnitude, tr("dB re 1 kHz: design (solid), curve (dashed)"));
    DrawLine(painter, panel, x, magnitude, plot, &ResponsePoint::prototypeGainDb,
             QPen(kCurveColour, 1.5, Qt::DashLine));
    DrawLine(painter, panel, x, magnitude, plot, &ResponsePoint::gainDb, QPen(kDesignColour, 1.5));
    DrawFrequencyLabels(painter, panel, x);

    if (m_phaseShown) {
        panel = QRectF(left, panel.bottom() + kPanelGap, width, unit);
        const LinearAxis phase = RangeOf(
            plot, {&ResponsePoint::phaseDegrees, &ResponsePoint::prototypePhaseDegrees}, 10.0);
        ShadeAboveBand(painter, panel, x, bandTopHz);
        DrawPanel(painter, panel, x, phase, tr("phase, degrees"));
        DrawLine(painter, panel, x, phase, plot, &ResponsePoint::prototypePhaseDegrees,
                 QPen(kCurveColour, 1.5, Qt::DashLine));
        DrawLine(painter, panel, x, phase, plot, &ResponsePoint::phaseDegrees,
                 QPen(kDesignColour, 1.5));
        DrawFrequencyLabels(painter, panel, x);
    }

    panel = QRectF(left, panel.bottom() + kPanelGap, width, unit);
    // The deviation's scale follows the band a design is judged over, not the excursions
    // near fs/2 that no design of a few sections avoids.
    const double peak = std::abs(m_outcome->summary->peak.deviationDb);
    const LinearAxis deviation = RoundedAxis(-peak, peak, 0.002);
    ShadeAboveBand(painter, panel, x, bandTopHz);
    DrawPanel(painter, panel, x, deviation, tr("deviation, dB"));
    DrawLine(painter, panel, x, deviation, plot, &ResponsePoint::deviationDb,
             QPen(kDeviationColour, 1.5));
    DrawFrequencyLabels(painter, panel, x);
}

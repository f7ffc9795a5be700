#include "writers/svg_plot.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/number_text.h"
#include "response/response_summary.h"
#include "writers/svg_scale.h"

namespace {

constexpr double kWidth = 900.0;
constexpr double kHeight = 660.0;
constexpr double kLeft = 80.0;
constexpr double kRight = 870.0;
constexpr Rect kMagnitudePanel{kLeft, 80.0, kRight, 400.0};
constexpr Rect kDeviationPanel{kLeft, 450.0, kRight, 600.0};
constexpr double kLowHz = 10.0;
constexpr int kPointsPerDecade = 200;
constexpr double kMaxShownDb = 60.0;
constexpr const char* kDesignColour = "#1f5fbf";
constexpr const char* kPrototypeColour = "#d9541e";
constexpr const char* kDeviationColour = "#2a9d3f";

std::string Coordinate(double value) { return FormatFixed(value, 2); }

std::string EscapeXml(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string Text(double x, double y, const std::string& content, const std::string& attributes) {
    return "<text x=\"" + Coordinate(x) + "\" y=\"" + Coordinate(y) + "\" " + attributes + ">" +
           EscapeXml(content) + "</text>\n";
}

std::string Line(double x1, double y1, double x2, double y2, const std::string& attributes) {
    return "<line x1=\"" + Coordinate(x1) + "\" y1=\"" + Coordinate(y1) + "\" x2=\"" +
           Coordinate(x2) + "\" y2=\"" + Coordinate(y2) + "\" " + attributes + "/>\n";
}

std::string HertzLabel(double hz) {
    if (hz >= 1000.0) {
        return FormatSignificant(hz / 1000.0, 6) + "k";
    }
    return FormatSignificant(hz, 6);
}

// Frequency grid lines at 1-2-5 steps (labelled) and the other integers of each
// decade (unlabelled), with the axis caption under the lower panel.
std::string FrequencyAxis(const LogAxis& axis, const Rect& panel, bool labelled) {
    std::string svg;
    for (double decade = std::pow(10.0, std::floor(std::log10(axis.low))); decade <= axis.high;
         decade *= 10.0) {
        for (int step = 1; step <= 9; ++step) {
            const double hz = decade * step;
            if (hz < axis.low || hz > axis.high) {
                continue;
            }
            const double x = axis.ToX(hz);
            const bool major = step == 1 || step == 2 || step == 5;
            svg += Line(x, panel.top, x, panel.bottom,
                        major ? "stroke=\"#c8c8c8\"" : "stroke=\"#ececec\"");
            if (labelled && major) {
                svg += Text(x, panel.bottom + 18.0, HertzLabel(hz), "text-anchor=\"middle\"");
            }
        }
    }
    return svg;
}

std::string LevelAxis(const LinearAxis& axis, const Rect& panel, const std::string& caption) {
    std::string svg;
    for (double level : axis.Ticks()) {
        const double y = axis.ToY(level);
        svg += Line(panel.left, y, panel.right, y,
                    level == 0.0 ? "stroke=\"#909090\"" : "stroke=\"#c8c8c8\"");
        svg += Text(panel.left - 6.0, y + 4.0, FormatSignificant(level, 6), "text-anchor=\"end\"");
    }
    const double middle = (panel.top + panel.bottom) / 2.0;
    svg += "<text transform=\"translate(" + Coordinate(panel.left - 52.0) + "," +
           Coordinate(middle) + ") rotate(-90)\" text-anchor=\"middle\">" + EscapeXml(caption) +
           "</text>\n";
    return svg;
}

std::string Curve(const std::vector<double>& frequencies, const std::vector<double>& levels,
                  const LogAxis& x, const LinearAxis& y, const std::string& id,
                  const std::string& attributes) {
    std::string points;
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        if (!std::isfinite(levels[i])) {
            continue;
        }
        // Far outside the panel the clip path hides the curve anyway; keeping the
        // coordinates bounded keeps renderers out of trouble.
        const double py = std::clamp(y.ToY(levels[i]), -10000.0, 10000.0);
        points += Coordinate(x.ToX(frequencies[i])) + ',' + Coordinate(py) + ' ';
    }
    return "<polyline id=\"" + id + "\" fill=\"none\" " + attributes + " points=\"" + points +
           "\"/>\n";
}

std::string ClipPath(const std::string& id, const Rect& r) {
    return "<clipPath id=\"" + id + "\"><rect x=\"" + Coordinate(r.left) + "\" y=\"" +
           Coordinate(r.top) + "\" width=\"" + Coordinate(r.right - r.left) + "\" height=\"" +
           Coordinate(r.bottom - r.top) + "\"/></clipPath>\n";
}

std::string Frame(const Rect& r) {
    return "<rect x=\"" + Coordinate(r.left) + "\" y=\"" + Coordinate(r.top) + "\" width=\"" +
           Coordinate(r.right - r.left) + "\" height=\"" + Coordinate(r.bottom - r.top) +
           "\" fill=\"none\" stroke=\"#404040\"/>\n";
}

// Shades the frequencies above the audio band, where a deviation is not counted.
std::string BeyondBand(const LogAxis& axis, const Rect& r, double bandTopHz) {
    if (bandTopHz >= axis.high) {
        return {};
    }
    const double x = axis.ToX(bandTopHz);
    return "<rect x=\"" + Coordinate(x) + "\" y=\"" + Coordinate(r.top) + "\" width=\"" +
           Coordinate(r.right - x) + "\" height=\"" + Coordinate(r.bottom - r.top) +
           "\" fill=\"#f2f2f2\"/>\n";
}

// Background, grid and level labels of one panel; only the lower panel labels the
// frequencies.
std::string Panel(const LogAxis& x, const Rect& panel, const LinearAxis& y,
                  const std::string& caption, double bandTopHz, bool labelFrequencies) {
    return BeyondBand(x, panel, bandTopHz) + FrequencyAxis(x, panel, labelFrequencies) +
           LevelAxis(y, panel, caption);
}

// In the right-hand corner the curves leave free: the top one for the falling
// playback curve, the bottom one for the rising recording curve.
std::string Legend(const Rect& panel, bool atBottom, const ResponseTraces& traces) {
    const double x = panel.right - 190.0;
    const double y = atBottom ? panel.bottom - 42.0 : panel.top + 22.0;
    return "<rect x=\"" + Coordinate(x - 10.0) + "\" y=\"" + Coordinate(y - 16.0) +
           "\" width=\"190\" height=\"48\" fill=\"white\" stroke=\"#c8c8c8\"/>\n" +
           Line(x, y - 4.0, x + 30.0, y - 4.0,
                std::string("stroke=\"") + kDesignColour + "\" stroke-width=\"2.5\"") +
           Text(x + 38.0, y, traces.gainLabel, "") +
           Line(x, y + 18.0, x + 30.0, y + 18.0,
                std::string("stroke=\"") + kPrototypeColour +
                    "\" stroke-width=\"2\" stroke-dasharray=\"7,4\"") +
           Text(x + 38.0, y + 22.0, traces.referenceLabel, "");
}

// The title's font size: 17 px, or smaller for a title that would be cut at both edges
// (a rumble filter's, a long custom entry), at about half an em a character of a
// sans-serif face.
std::string TitleFontSize(const std::string& title) {
    constexpr double kTitlePixels = 17.0;
    constexpr double kEmPerCharacter = 0.52;
    const double characters = static_cast<double>(title.size());
    const double fitting = (kWidth - 20.0) / (kEmPerCharacter * kTitlePixels);
    return characters <= fitting ? "17" : FormatFixed(kTitlePixels * fitting / characters, 1);
}

}  // namespace

std::string RenderResponseSvg(const DesignUnderTest& design, const std::string& title) {
    const ResponseSummary summary = SummarizeResponse(design);
    ResponseTraces traces;
    traces.axisHighHz = design.samplingFrequency / 2.0;
    traces.bandLowHz = summary.bandLowHz;
    traces.bandHighHz = summary.bandHighHz;
    traces.peak = summary.peak;
    traces.frequencies = LogGrid(kLowHz, traces.axisHighHz, kPointsPerDecade);
    for (double f : traces.frequencies) {
        const ResponsePoint p = CompareAt(design, f);
        traces.gainDb.push_back(p.gainDb);
        traces.referenceDb.push_back(p.prototypeGainDb);
        traces.deviationDb.push_back(p.deviationDb);
    }
    return RenderTracesSvg(traces, title);
}

std::string RenderTracesSvg(const ResponseTraces& traces, const std::string& title) {
    const LogAxis x{kLowHz, traces.axisHighHz, kLeft, kRight};
    const std::vector<double>& frequencies = traces.frequencies;
    const std::vector<double>& gain = traces.gainDb;
    std::vector<double> shownGain, bandDeviation;
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        for (double level : {gain[i], traces.referenceDb[i]}) {
            shownGain.push_back(std::clamp(level, -kMaxShownDb, kMaxShownDb));
        }
        if (frequencies[i] >= traces.bandLowHz && frequencies[i] <= traces.bandHighHz) {
            bandDeviation.push_back(traces.deviationDb[i]);
        }
    }
    // The magnitudes are shown over the whole axis, within reason near Nyquist.
    const LinearAxis magnitude = LinearAxis::Spanning(shownGain, kMagnitudePanel, 5.0);
    const LinearAxis error = LinearAxis::Symmetric(bandDeviation, kDeviationPanel, 0.1);

    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        Coordinate(kWidth) + "\" height=\"" + Coordinate(kHeight) + "\" viewBox=\"0 0 " +
        Coordinate(kWidth) + " " + Coordinate(kHeight) +
        "\" font-family=\"sans-serif\" font-size=\"13\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    svg += "<defs>\n" + ClipPath("magnitude-area", kMagnitudePanel) +
           ClipPath("deviation-area", kDeviationPanel) + "</defs>\n";
    svg += Text(kWidth / 2.0, 28.0, title,
                "text-anchor=\"middle\" font-size=\"" + TitleFontSize(title) + "\"");
    svg += Text(kWidth / 2.0, 52.0,
                "Largest deviation " + FormatSignedSignificant(traces.peak.deviationDb, 4) +
                    " dB at " + FormatSignificant(traces.peak.frequencyHz, 5) + " Hz (" +
                    FormatSignificant(traces.bandLowHz, 5) + " Hz to " +
                    FormatSignificant(traces.bandHighHz, 5) + " Hz), both curves 0 dB at 1 kHz",
                "text-anchor=\"middle\"");

    svg += Panel(x, kMagnitudePanel, magnitude, "Gain (dB re 1 kHz)", traces.bandHighHz, false);
    svg += Panel(x, kDeviationPanel, error, "Deviation (dB)", traces.bandHighHz, true);
    svg += "<g clip-path=\"url(#magnitude-area)\">\n" +
           Curve(frequencies, traces.referenceDb, x, magnitude, "prototype",
                 std::string("stroke=\"") + kPrototypeColour +
                     "\" stroke-width=\"2\" stroke-dasharray=\"7,4\"") +
           Curve(frequencies, gain, x, magnitude, "design",
                 std::string("stroke=\"") + kDesignColour + "\" stroke-width=\"2.5\"") +
           "</g>\n";
    svg += "<g clip-path=\"url(#deviation-area)\">\n" +
           Curve(frequencies, traces.deviationDb, x, error, "deviation",
                 std::string("stroke=\"") + kDeviationColour + "\" stroke-width=\"2\"") +
           "</g>\n";
    svg += Frame(kMagnitudePanel) + Frame(kDeviationPanel) +
           Legend(kMagnitudePanel, !gain.empty() && gain.back() > gain.front(), traces);
    svg += Text((kLeft + kRight) / 2.0, kDeviationPanel.bottom + 42.0, "Frequency (Hz)",
                "text-anchor=\"middle\"");
    svg += "</svg>\n";
    return svg;
}

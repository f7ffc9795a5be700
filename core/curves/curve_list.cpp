#include "curves/curve_list.h"

#include <algorithm>

#include "base/number_text.h"

namespace {

// Microseconds, as the tables quote them: 3180u, 63.7u, 3.18u.
std::string Microseconds(double tau) { return FormatSignificant(tau * 1e6, 6) + "u"; }

std::string PadRight(std::string_view text, std::size_t width) {
    std::string padded(text);
    padded.resize(std::max(width, text.size()), ' ');
    return padded;
}

}  // namespace

std::string CurveConstantsText(const NamedCurve& curve) {
    std::string text;
    const auto add = [&text](std::string_view entry) {
        text += (text.empty() ? "" : ",") + std::string(entry);
    };
    for (const CurveConstant& constant : curve.constants) {
        switch (constant.role) {
            case CurveRole::BassShelf:
            case CurveRole::TrebleRollOff:
                add("p:" + Microseconds(constant.tau));
                break;
            case CurveRole::Turnover:
            case CurveRole::TrebleShelf:
                add("z:" + Microseconds(constant.tau));
                break;
            case CurveRole::BassToDc:
                add("p:inf");
                break;
            case CurveRole::HighPass:
                add("p:" + Microseconds(constant.tau));
                add("z:inf");
                break;
        }
    }
    return text;
}

std::string CurveListText() {
    std::size_t nameWidth = 0;
    std::size_t descriptionWidth = 0;
    for (const NamedCurve& curve : NamedCurves()) {
        nameWidth = std::max(nameWidth, curve.name.size());
        descriptionWidth = std::max(descriptionWidth, curve.description.size());
    }
    std::string text;
    for (const NamedCurve& curve : NamedCurves()) {
        text += PadRight(curve.name, nameWidth + 2) +
                PadRight(curve.description, descriptionWidth + 2) + CurveConstantsText(curve) +
                "\n";
    }
    return text;
}

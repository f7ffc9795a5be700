#include "design_method.h"

#include <stdexcept>

#include "coefficient_report.h"
#include "minimax_design.h"

void AddDesignMethodOption(CLI::App& app, std::string& method) {
    app.add_option("--method", method,
                   "matched: the matched z-transform of the RIAA time\n"
                   "constants (the default, as the desktop program);\n"
                   "minimax: the biquad closest to the analogue curve,\n"
                   "least largest dB error over 20 Hz to min(20 kHz,\n"
                   "0.46 fs), both 0 dB at 1 kHz; fs 2.2 kHz to 10 MHz")
        ->type_name("matched|minimax")
        ->check(CLI::IsMember({"matched", "minimax"}));
}

std::optional<std::string> ApplyDesignMethod(const std::string& method,
                                             FilterCalculation& calculation) {
    if (method != "minimax") {
        return std::nullopt;
    }
    try {
        calculation.coefficients =
            ComputeMinimaxRiaaCoefficients(calculation.samplingFrequency, calculation.gain,
                                           calculation.extraZeroValue, calculation.inverse);
    } catch (const std::invalid_argument& error) {
        return std::string("--method=minimax: ") + error.what();
    }
    calculation.text = FormatCalculationSummary(calculation.samplingFrequency, calculation.gain,
                                                calculation.extraZeroValue, calculation.inverse) +
                       FormatCoefficientReport(calculation.coefficients);
    return std::nullopt;
}

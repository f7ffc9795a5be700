#include "design_method.h"

#include <stdexcept>

#include "minimax_design.h"
#include "named_choice.h"

namespace {

const NameTable<DesignMethod> kMethodNames = {
    {"matched", DesignMethod::Matched},
    {"minimax", DesignMethod::Minimax},
};

}  // namespace

void AddDesignMethodOption(CLI::App& app, DesignMethod& method) {
    app.add_option("--method", method,
                   "matched: the matched z-transform of the RIAA time\n"
                   "constants (the default, as the desktop program);\n"
                   "minimax: the biquad closest to the analogue curve,\n"
                   "least largest dB error over 20 Hz to min(20 kHz,\n"
                   "0.46 fs), both 0 dB at 1 kHz; fs 2.2 kHz to 10 MHz")
        ->type_name("matched|minimax")
        ->transform(OneOf(kMethodNames));
}

DesignUnderTest UnderTest(const Design& design) {
    return {design.coefficients,
            design.values.samplingFrequency,
            {design.values.extraZeroValue, design.values.inverse}};
}

DesignAttempt MakeDesign(DesignMethod method, const CalculationValues& values) {
    if (method == DesignMethod::Matched) {
        return {{values, ComputeRiaaCoefficients(values.samplingFrequency, values.gain,
                                                 values.extraZeroValue, values.inverse)},
                std::nullopt};
    }
    try {
        return {{values, ComputeMinimaxRiaaCoefficients(values.samplingFrequency, values.gain,
                                                        values.extraZeroValue, values.inverse)},
                std::nullopt};
    } catch (const std::invalid_argument& error) {
        return {{values, {}}, std::string("--method=minimax: ") + error.what()};
    } catch (const std::runtime_error& error) {
        // NLopt is missing from this system.
        return {{values, {}}, std::string("--method=minimax: ") + error.what()};
    }
}

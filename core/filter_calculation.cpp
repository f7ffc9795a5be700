#include "filter_calculation.h"

#include "number_text.h"
#include "coefficient_report.h"
#include "eng_value.h"

double ExtraZeroValue(bool extraZero, const char* zeroFreqText) {
    if (!extraZero) {
        return 0.0;
    }
    const double frequency = ParseEngValue(zeroFreqText);
    // Written so that a NaN also falls back to the fixed zero.
    return frequency > 1.0 ? frequency : 1.0;
}

std::string FormatCalculationSummary(double samplingFrequency, double gain, double extraZeroValue,
                                     std::int32_t inverse) {
    std::string text = "Filter calculated for:\r\nSampling frequency: ";
    AppendGeneral(text, samplingFrequency);
    text += "\r\nGain:  ";
    AppendGeneral(text, gain);
    text += "\r\nExtra zero:  ";
    AppendGeneral(text, extraZeroValue);
    text += "\r\nInverse:  ";
    AppendInteger(text, inverse);
    text += "\r\n\r\n";
    return text;
}

FilterCalculation CalculateFilter(const FilterEntries& entries) {
    FilterCalculation calculation{};
    calculation.samplingFrequency = ParseEngValue(entries.sampleFreq.c_str());
    calculation.gain = ParseEngValue(entries.gain.c_str());
    calculation.extraZeroValue = ExtraZeroValue(entries.extraZero, entries.zeroFreq.c_str());
    calculation.inverse = entries.inverse ? 1 : 0;
    calculation.coefficients =
        ComputeRiaaCoefficients(calculation.samplingFrequency, calculation.gain,
                                calculation.extraZeroValue, calculation.inverse);
    calculation.text = FormatCalculationSummary(calculation.samplingFrequency, calculation.gain,
                                                calculation.extraZeroValue, calculation.inverse) +
                       FormatCoefficientReport(calculation.coefficients);
    return calculation;
}

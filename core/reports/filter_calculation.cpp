#include "reports/filter_calculation.h"

#include "base/eng_value.h"
#include "base/number_text.h"
#include "designs/make_design.h"
#include "reports/coefficient_report.h"

double ExtraZeroValue(bool extraZero, const char* zeroFreqText) {
    if (!extraZero) {
        return 0.0;
    }
    const double frequency = ParseEngValue(zeroFreqText);
    // Written so that a NaN also falls back to the fixed zero.
    return frequency > 1.0 ? frequency : 1.0;
}

CalculationValues ReadCalculationValues(const FilterEntries& entries) {
    CalculationValues values{};
    values.samplingFrequency = ParseEngValue(entries.sampleFreq.c_str());
    values.gain = ParseEngValue(entries.gain.c_str());
    values.extraZeroValue = ExtraZeroValue(entries.extraZero, entries.zeroFreq.c_str());
    values.inverse = entries.inverse ? 1 : 0;
    return values;
}

std::string FormatCalculationText(const CalculationValues& values,
                                  const RiaaCoefficients& coefficients) {
    std::string text;
    // Room for the summary and any report, so that the text is allocated once.
    text.reserve(768);
    text += "Filter calculated for:\r\nSampling frequency: ";
    AppendGeneral(text, values.samplingFrequency);
    text += "\r\nGain:  ";
    AppendGeneral(text, values.gain);
    text += "\r\nExtra zero:  ";
    AppendGeneral(text, values.extraZeroValue);
    text += "\r\nInverse:  ";
    AppendInteger(text, values.inverse);
    text += "\r\n\r\n";
    text += FormatCoefficientReport(coefficients);
    return text;
}

FilterCalculation CalculateFilter(const FilterEntries& entries) {
    FilterCalculation calculation{ReadCalculationValues(entries), {}, {}};
    // The door's default: the RIAA curve's matched biquad with its gain at DC. It refuses
    // nothing here (any entry runs through IEEE arithmetic, as it always has), so the
    // record is always there.
    DesignRequest request;
    request.samplingFrequency = calculation.samplingFrequency;
    request.gain = calculation.gain;
    request.extraZero = calculation.extraZeroValue;
    request.direction = calculation.inverse != 0 ? Direction::Recording : Direction::Playback;
    calculation.coefficients = *MakeDesign(request).value().record;
    calculation.text = FormatCalculationText(calculation, calculation.coefficients);
    return calculation;
}

#pragma once
// One whole calculation, shared by the desktop program's Calc Filter command and by
// vorlexi-calc: the parameter dialog's five entries in, the values read, the design
// and the text that replaces the view's content out.

#include <cstdint>
#include <string>

#include "designs/riaa_record.h"

// The parameter dialog's five entries; the texts are Windows-1252 bytes.
struct FilterEntries {
    std::string sampleFreq = "96k";
    std::string gain = "1";
    std::string zeroFreq;
    bool extraZero = false;
    bool inverse = false;
};

// The four values a design is made from, as read from the entries.
struct CalculationValues {
    double samplingFrequency;  // as read by ParseEngValue
    double gain;
    double extraZeroValue;  // 0, exactly 1, or the frequency above 1
    std::int32_t inverse;   // 0 or 1
};

struct FilterCalculation : CalculationValues {
    RiaaCoefficients coefficients;
    std::string text;  // summary + report, CR LF line breaks
};

// The design's extra-zero argument from the dialog: 0 when the box is clear (the text
// is then not read at all); otherwise the zero frequency when it reads above 1, and
// 1, the fixed 3.18 µs zero, for anything else: empty, unreadable, 1 or less.
double ExtraZeroValue(bool extraZero, const char* zeroFreqText);

// Validates nothing: an unreadable entry reads as 0, as the dialog does.
CalculationValues ReadCalculationValues(const FilterEntries& entries);

// The text that a calculation shows: "Filter calculated for:" and the four values the
// design was made from, an empty line, then the coefficient report of the design.
std::string FormatCalculationText(const CalculationValues& values,
                                  const RiaaCoefficients& coefficients);

// The values read, the matched design of them and its text.
FilterCalculation CalculateFilter(const FilterEntries& entries);

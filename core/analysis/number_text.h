#pragma once
// Number text that never depends on the user's locale (std::to_chars, not printf):
// a German locale must not turn 1.5 into "1,5" in a CSV file or a sox command.

#include <string>

// The shortest text that reads back to the same double ("0.1", "1e+300", "inf", "nan").
std::string FormatShortest(double value);

// Like printf's %.Ng: `significantDigits` digits, trailing zeros dropped.
std::string FormatSignificant(double value, int significantDigits);

// Like printf's %.Nf.
std::string FormatFixed(double value, int decimals);

// Like FormatFixed with an explicit sign ("+3.142", "-0.500"); a value that rounds
// to zero is written without one ("0.000", never "-0.000").
std::string FormatSignedFixed(double value, int decimals);

// Like FormatSignificant with a "+" before positive values.
std::string FormatSignedSignificant(double value, int significantDigits);

// Right-aligns text in a field of `width` characters (longer text is kept whole).
std::string PadLeft(const std::string& text, std::size_t width);

#pragma once
// Every number that vorlexi writes or reads as text, with the C locale's bytes under any
// user locale: a German locale must not turn "1.5" into "1,5" in a report, a CSV file or
// a sox command, nor stop the reader at the point of "44.1k". std::to_chars with a
// format and a precision writes what printf writes in the C locale.

#include <cstddef>
#include <string>

// printf's "%e": d.dddddde+XX, "inf", "-nan" and so on.
void AppendScientific(std::string& text, double value);

// printf's "%g": six significant digits, trailing zeros dropped.
void AppendGeneral(std::string& text, double value);

// printf's "%d".
void AppendInteger(std::string& text, long long value);

// printf's "%d" into [first, last) without allocating; returns the end of what was
// written (last when the room does not suffice).
char* WriteInteger(char* first, char* last, long long value);

// The shortest text that reads back to the same double ("0.1", "1e+300", "inf", "nan").
std::string FormatShortest(double value);

// printf's "%.Ng": `significantDigits` digits, trailing zeros dropped.
std::string FormatSignificant(double value, int significantDigits);

// printf's "%.Nf".
std::string FormatFixed(double value, int decimals);

// Like FormatFixed with an explicit sign ("+3.142", "-0.500"); a value that rounds
// to zero is written without one ("0.000", never "-0.000").
std::string FormatSignedFixed(double value, int decimals);

// Like FormatSignificant with a "+" before positive values.
std::string FormatSignedSignificant(double value, int significantDigits);

// Right-aligns text in a field of `width` characters (longer text is kept whole).
std::string PadLeft(const std::string& text, std::size_t width);

struct DecimalReading {
    double value;  // 0.0 when nothing was read
    bool read;     // false when the text does not begin with a number
};

// Reads a decimal number at the start of a terminated text, as "%lf" does, and stops
// at the first character that does not fit: an optional sign, digits with an optional
// point, an optional exponent introduced by "e" or "E" with at least one digit.
// Only plain decimal notation reads: "inf", "nan" and hexadecimal "0x10" read as
// nothing or as their leading "0"; an exponent letter without digits ("1e", "2ee-3")
// or a Fortran "d" exponent ends the number before the letter. A value beyond the
// range of double reads as an infinity, one below the smallest subnormal as zero,
// each with its sign. Allocates nothing.
DecimalReading ReadDecimal(const char* text);

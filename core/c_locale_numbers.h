#pragma once
// printf's "%e", "%g" and "%d" and scanf's "%lf", with the C locale's bytes under any
// user locale: a German locale must not turn "1.5" into "1,5" in a report, nor stop
// the reader at the point of "44.1k".

#include <string>

// Appends value as "%e" writes it: d.dddddde+XX, "inf", "-nan" and so on.
void AppendScientific(std::string& text, double value);

// Appends value as "%g" writes it (six significant digits, trailing zeros dropped).
void AppendGeneral(std::string& text, double value);

// Appends value as "%d" writes it.
void AppendInteger(std::string& text, long long value);

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

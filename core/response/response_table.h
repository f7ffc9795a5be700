#pragma once
// How a response reads as a table, the design's (--response) and a measurement's alike:
// the frequencies of its rows, its columns' widths, and dB and hertz as it prints them.

#include <cstddef>
#include <string>

#include "base/number_text.h"

inline constexpr double kResponseTableFrequencies[] = {
    20.0, 50.0, 100.0, 200.0, 500.0, 1000.0, 2000.0, 5000.0, 10000.0, 15000.0, 20000.0};
// A column of the table: right-aligned numbers under a right-aligned heading.
inline constexpr std::size_t kTableFrequencyWidth = 9;
inline constexpr std::size_t kTableColumnWidth = 16;

inline std::string TableDecibels(double db) { return FormatSignedFixed(db, 3); }
inline std::string TableHertz(double hz) { return FormatSignificant(hz, 6) + " Hz"; }

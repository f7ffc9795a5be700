#pragma once
// Values in engineering notation: digits followed by an optional SI prefix letter that
// stands for a power of 1000, as in 96k, 2.2u (or 2.2 and the Windows-1252 micro sign
// 0xB5) or 10p. Case matters: m is milli, M mega, E exa; e stays the exponent letter.

struct EngValue {
    double value;   // 0.0 when the text holds no readable number
    bool readable;  // tells a genuine 0 from text such as "abc" or ""
};

// Reads at most the first 31 characters of a terminated single-byte text. Characters
// before the first one that can begin a number are skipped; the first prefix letter
// (or space, the prefix of power 0) ends the number, and is applied as text ("3.3u"
// reads as "3.3e-6", one decimal conversion). Allocates nothing; never writes to text.
EngValue ReadEngValue(const char* text);

// The value of ReadEngValue, 0.0 when nothing is readable.
double ParseEngValue(const char* text);

#pragma once
// The report the user reads and copies out: the coefficients of H(z) as two labelled
// lists, then the same filter as the audio editor's Nyquist biquad and biquad-m
// expressions. Single-byte text, CR LF line breaks, ending in ")\r\n\r\n".

#include <string>

#include "designs/riaa_record.h"

std::string FormatCoefficientReport(RiaaCoefficients coefficients);

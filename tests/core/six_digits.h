#pragma once
// Comparison with the published values of the design, which carry six significant
// digits.

#include <gtest/gtest.h>

#include <cmath>

// Passes when actual rounds to expected at six significant digits (half a unit in the
// sixth digit, and a little for the published rounding); a zero must be a zero.
inline testing::AssertionResult AgreesToSixDigits(double actual, double expected) {
    if (expected == 0.0) {
        return actual == 0.0 ? testing::AssertionSuccess()
                             : testing::AssertionFailure() << actual << " is not 0";
    }
    const double unit = std::pow(10.0, std::floor(std::log10(std::fabs(expected))) - 5);
    if (std::fabs(actual - expected) <= 0.5 * unit * 1.001) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << actual << " does not read as " << expected << " to six significant digits";
}

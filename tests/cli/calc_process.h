#pragma once
// vorlexi-calc run as a user runs it (the test's build names it in VORLEXI_CALC_PATH), and
// what a refusal of its options promises: status 2, nothing on standard output, and one
// line on standard error that says why.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_process.h"

inline ProcessResult Calc(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), VORLEXI_CALC_PATH);
    return RunProcess(arguments);
}

inline void ExpectOneLineRefusal(const ProcessResult& result, const std::string& messagePart) {
    EXPECT_EQ(result.exitStatus, 2) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(messagePart), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line: " << result.err;
}

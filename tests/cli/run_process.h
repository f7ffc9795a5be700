#pragma once
// Runs a program to completion and collects what it wrote.

#include <string>
#include <vector>

struct ProcessResult {
    int exitStatus = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// arguments[0] is the program's path; no shell is involved, so every byte of every
// argument reaches the program as it is.
ProcessResult RunProcess(const std::vector<std::string>& arguments);

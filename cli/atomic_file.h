#pragma once
// Writing a file so that it is either complete or not there at all.

#include <optional>
#include <string>

// Writes content to a temporary file beside path and renames it into place. On any
// failure nothing is left behind (an existing file at path stays as it was) and the
// result is a message naming the path and the reason.
std::optional<std::string> WriteFileAtomically(const std::string& path, const std::string& content);

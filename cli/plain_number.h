#pragma once
// A number argument that must be the whole text: "-6", "0.5", "1e-3". Read without the
// locale, so a German or French system reads "0.5" as every other does.

#include <optional>
#include <string>

// The finite value the whole text spells, or nothing.
std::optional<double> ReadPlainNumber(const std::string& text);

#pragma once
// The named curves a mistyped name was probably meant to be, for the message that
// refuses it ("did you mean riaa?").

#include <string_view>
#include <vector>

// The names within two edits of `name` (ASCII case ignored), or that it begins ("emi" for
// the three EMI curves): nearest first, three at most.
std::vector<std::string_view> NearestNamedCurves(std::string_view name);

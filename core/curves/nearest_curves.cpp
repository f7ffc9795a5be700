#include "curves/nearest_curves.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/ascii_case.h"
#include "curves/named_curves.h"

namespace {

// Single-character insertions, deletions and substitutions from a to b.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::vector<std::string_view> NearestNamedCurves(std::string_view name) {
    constexpr std::size_t kMostEdits = 2;
    constexpr std::size_t kMostSuggestions = 3;
    constexpr std::size_t kShortestPrefix = 3;
    const std::string lower = AsciiLowercase(name);
    std::vector<std::pair<std::size_t, std::string_view>> near;
    for (const NamedCurve& curve : NamedCurves()) {
        const std::size_t distance = EditDistance(lower, curve.name);
        const bool begins = lower.size() >= kShortestPrefix && curve.name.starts_with(lower);
        if (distance <= kMostEdits || begins) {
            near.emplace_back(distance, curve.name);
        }
    }
    std::stable_sort(near.begin(), near.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    near.resize(std::min(near.size(), kMostSuggestions));
    std::vector<std::string_view> names;
    for (const auto& [distance, curveName] : near) {
        names.push_back(curveName);
    }
    return names;
}

#pragma once
// The case of ASCII letters whatever the user's locale: the names and extensions the
// program itself knows are ASCII, and std::tolower follows the locale (a Turkish one
// lowers 'I' to a dotless i).

#include <string>
#include <string_view>

inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string AsciiLowercase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = AsciiLower(c);
    }
    return lower;
}

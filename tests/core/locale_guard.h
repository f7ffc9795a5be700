#pragma once
// Puts a user locale in force for one test and restores the previous one afterwards.

#include <gtest/gtest.h>

#include <clocale>
#include <string>

class LocaleGuard {
public:
    explicit LocaleGuard(const char* name) : previous_(std::setlocale(LC_ALL, nullptr)) {
        if (std::setlocale(LC_ALL, name) == nullptr) {
            ADD_FAILURE() << "locale " << name
                          << " is missing; scripts/install-deps.sh --test generates it";
        }
    }
    ~LocaleGuard() { std::setlocale(LC_ALL, previous_.c_str()); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

private:
    std::string previous_;
};

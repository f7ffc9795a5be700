#pragma once
// A shared library opened when a run first needs it rather than when the program starts:
// a vorlexi-calc run that prints a matched design never maps NLopt or libsndfile (and
// libsndfile's codecs), so its start costs little more than a minimal program's.

#include <string>

class SharedLibrary {
public:
    // Opens the library by its file name (its soname, say "libsndfile.so.1"), resolving
    // every symbol now. Throws std::runtime_error naming the library and the loader's
    // reason. The library is never closed: what is resolved from it stays valid for the
    // life of the process.
    explicit SharedLibrary(std::string fileName);

    // Sets function to the library's symbol of that name; throws std::runtime_error
    // naming both when it is missing.
    template <typename Function>
    void Resolve(const char* symbol, Function& function) const {
        function = reinterpret_cast<Function>(Symbol(symbol));
    }

private:
    void* Symbol(const char* name) const;

    std::string fileName_;
    void* handle_;
};

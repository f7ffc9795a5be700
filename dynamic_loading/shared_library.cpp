#include "shared_library.h"

#include <dlfcn.h>

#include <stdexcept>
#include <utility>

namespace {

std::string LoaderError() {
    const char* reason = dlerror();
    return reason != nullptr ? reason : "unknown reason";
}

}  // namespace

SharedLibrary::SharedLibrary(std::string fileName)
    : fileName_(std::move(fileName)), handle_(dlopen(fileName_.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        throw std::runtime_error("cannot load " + fileName_ + ": " + LoaderError());
    }
}

void* SharedLibrary::Symbol(const char* name) const {
    dlerror();  // a symbol may legitimately be null; tell that from a failure
    void* symbol = dlsym(handle_, name);
    if (symbol == nullptr) {
        throw std::runtime_error(std::string("cannot find ") + name + " in " + fileName_ + ": " +
                                 LoaderError());
    }
    return symbol;
}

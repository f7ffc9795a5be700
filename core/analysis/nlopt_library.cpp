#include "nlopt_library.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>

namespace {

// The shared library's name as the build found it, for example "libnlopt.so.0".
constexpr const char* kLibraryName = VORLEXI_NLOPT_LIBRARY;

std::string LoaderError() {
    const char* reason = dlerror();
    return reason != nullptr ? reason : "unknown reason";
}

template <typename Function>
void Resolve(void* library, const char* name, Function& function) {
    void* symbol = dlsym(library, name);
    if (symbol == nullptr) {
        throw std::runtime_error(std::string("cannot find ") + name + " in " + kLibraryName + ": " +
                                 LoaderError());
    }
    function = reinterpret_cast<Function>(symbol);
}

NloptLibrary Load() {
    // Never closed: the functions stay valid for the life of the process.
    void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        throw std::runtime_error(std::string("cannot load ") + kLibraryName + ": " + LoaderError());
    }
    NloptLibrary nlopt{};
    Resolve(library, "nlopt_create", nlopt.create);
    Resolve(library, "nlopt_destroy", nlopt.destroy);
    Resolve(library, "nlopt_set_min_objective", nlopt.setMinObjective);
    Resolve(library, "nlopt_add_inequality_mconstraint", nlopt.addInequalityMconstraint);
    Resolve(library, "nlopt_add_equality_mconstraint", nlopt.addEqualityMconstraint);
    Resolve(library, "nlopt_set_ftol_abs", nlopt.setFtolAbs);
    Resolve(library, "nlopt_set_xtol_rel", nlopt.setXtolRel);
    Resolve(library, "nlopt_set_maxeval", nlopt.setMaxeval);
    Resolve(library, "nlopt_optimize", nlopt.optimize);
    return nlopt;
}

}  // namespace

const NloptLibrary& Nlopt() {
    // A failed load throws out of the initialisation, and the next call tries again.
    static const NloptLibrary nlopt = Load();
    return nlopt;
}

#include "fit/nlopt_library.h"

#include "shared_library.h"

namespace {

NloptLibrary Load() {
    // The shared library's name as the build found it, for example "libnlopt.so.0".
    const SharedLibrary library(VORLEXI_NLOPT_LIBRARY);
    NloptLibrary nlopt{};
    library.Resolve("nlopt_create", nlopt.create);
    library.Resolve("nlopt_destroy", nlopt.destroy);
    library.Resolve("nlopt_set_min_objective", nlopt.setMinObjective);
    library.Resolve("nlopt_add_inequality_mconstraint", nlopt.addInequalityMconstraint);
    library.Resolve("nlopt_add_equality_mconstraint", nlopt.addEqualityMconstraint);
    library.Resolve("nlopt_set_ftol_abs", nlopt.setFtolAbs);
    library.Resolve("nlopt_set_xtol_rel", nlopt.setXtolRel);
    library.Resolve("nlopt_set_maxeval", nlopt.setMaxeval);
    library.Resolve("nlopt_optimize", nlopt.optimize);
    return nlopt;
}

}  // namespace

const NloptLibrary& Nlopt() {
    // A failed load throws out of the initialisation, and the next call tries again.
    static const NloptLibrary nlopt = Load();
    return nlopt;
}

#include "fit/glpk_library.h"

#include "shared_library.h"

namespace {

GlpkLibrary Load() {
    // The shared library's name as the build found it, for example "libglpk.so.40".
    const SharedLibrary library(VORLEXI_GLPK_LIBRARY);
    GlpkLibrary glpk{};
    library.Resolve("glp_create_prob", glpk.createProb);
    library.Resolve("glp_delete_prob", glpk.deleteProb);
    library.Resolve("glp_set_obj_dir", glpk.setObjDir);
    library.Resolve("glp_add_rows", glpk.addRows);
    library.Resolve("glp_add_cols", glpk.addCols);
    library.Resolve("glp_set_row_bnds", glpk.setRowBnds);
    library.Resolve("glp_set_col_bnds", glpk.setColBnds);
    library.Resolve("glp_set_obj_coef", glpk.setObjCoef);
    library.Resolve("glp_set_mat_row", glpk.setMatRow);
    library.Resolve("glp_init_smcp", glpk.initSmcp);
    library.Resolve("glp_simplex", glpk.simplex);
    library.Resolve("glp_get_status", glpk.getStatus);
    library.Resolve("glp_get_obj_val", glpk.getObjVal);
    library.Resolve("glp_get_col_prim", glpk.getColPrim);
    return glpk;
}

}  // namespace

const GlpkLibrary& Glpk() {
    // A failed load throws out of the initialisation, and the next call tries again.
    static const GlpkLibrary glpk = Load();
    return glpk;
}

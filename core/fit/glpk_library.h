#pragma once
// GLPK, loaded when the first cascade fit runs rather than when a program starts (as NLopt
// is, see nlopt_library.h): a run that prints a matched design never maps it.

#include <glpk.h>

// The functions of GLPK's C interface that linear_program.cpp calls.
struct GlpkLibrary {
    decltype(&glp_create_prob) createProb;
    decltype(&glp_delete_prob) deleteProb;
    decltype(&glp_set_obj_dir) setObjDir;
    decltype(&glp_add_rows) addRows;
    decltype(&glp_add_cols) addCols;
    decltype(&glp_set_row_bnds) setRowBnds;
    decltype(&glp_set_col_bnds) setColBnds;
    decltype(&glp_set_obj_coef) setObjCoef;
    decltype(&glp_set_mat_row) setMatRow;
    decltype(&glp_init_smcp) initSmcp;
    decltype(&glp_simplex) simplex;
    decltype(&glp_get_status) getStatus;
    decltype(&glp_get_obj_val) getObjVal;
    decltype(&glp_get_col_prim) getColPrim;
};

// Loads the library on the first call; thread-safe. Throws std::runtime_error naming the
// library and the loader's reason when it or one of its functions cannot be found.
const GlpkLibrary& Glpk();

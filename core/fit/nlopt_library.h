#pragma once
// NLopt, loaded when the first minimax fit runs rather than when a program starts: a
// vorlexi-calc run of the matched design, the common one, never maps the library.

#include <nlopt.h>

// The functions of NLopt's C interface that the minimax fits call.
struct NloptLibrary {
    decltype(&nlopt_create) create;
    decltype(&nlopt_destroy) destroy;
    decltype(&nlopt_set_min_objective) setMinObjective;
    decltype(&nlopt_add_inequality_mconstraint) addInequalityMconstraint;
    decltype(&nlopt_add_equality_mconstraint) addEqualityMconstraint;
    decltype(&nlopt_set_ftol_abs) setFtolAbs;
    decltype(&nlopt_set_xtol_rel) setXtolRel;
    decltype(&nlopt_set_maxeval) setMaxeval;
    decltype(&nlopt_optimize) optimize;
};

// Loads the library on the first call; thread-safe. Throws std::runtime_error naming the
// library and the loader's reason when it or one of its functions cannot be found.
const NloptLibrary& Nlopt();

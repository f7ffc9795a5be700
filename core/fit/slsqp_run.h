#pragma once
// One run of NLopt's SLSQP, as both minimax fits (the biquad's and the cascade's) make it:
// minimise an objective under vector-valued inequality rows and two equality rows, every
// row held to one tolerance, with a limit on evaluations and one stopping rule.

#include <vector>

#include <nlopt.h>

struct SlsqpRun {
    nlopt_func objective;
    unsigned inequalities;
    nlopt_mfunc inequalityRows;
    nlopt_mfunc equalityRows;  // two rows
    void* data;                // handed to every function
    double constraintTolerance;
    int maxEvaluations;
    // The stopping rule: a relative step in x, or else an absolute change in the objective.
    double xtolRel = 0.0;
    double ftolAbs = 0.0;
};

// Minimises from x (left at the last point) and returns NLopt's result, or the result of
// the first setting that failed. Throws std::runtime_error when NLopt cannot be loaded.
nlopt_result RunSlsqp(const SlsqpRun& run, std::vector<double>& x);

#include "fit/linear_program.h"

#include <glpk.h>

#include <algorithm>

#include "fit/glpk_library.h"

namespace {

constexpr int kIterationLimit = 5000;

}  // namespace

void LinearProgram::Deleter::operator()(glp_prob* problem) const { Glpk().deleteProb(problem); }

LinearProgram::LinearProgram(int columns, int rows)
    : columns_(columns),
      problem_(Glpk().createProb()),
      indices_(columns + 1),
      values_(columns + 1) {
    const GlpkLibrary& glpk = Glpk();
    glpk.setObjDir(problem_.get(), GLP_MIN);
    glpk.addCols(problem_.get(), columns);
    glpk.addRows(problem_.get(), rows);
    for (int j = 0; j <= columns; ++j) indices_[j] = j;
    for (int j = 1; j <= columns; ++j) glpk.setColBnds(problem_.get(), j, GLP_FR, 0.0, 0.0);
}

LinearProgram::~LinearProgram() = default;

void LinearProgram::SetObjective(int column, double coefficient) {
    Glpk().setObjCoef(problem_.get(), column + 1, coefficient);
}

void LinearProgram::SetRow(int row, const std::vector<double>& a, double upper, bool equality) {
    const GlpkLibrary& glpk = Glpk();
    // GLPK counts from 1 and reads slot 0 of neither array.
    std::copy(a.begin(), a.end(), values_.begin() + 1);
    glpk.setMatRow(problem_.get(), row + 1, columns_, indices_.data(), values_.data());
    glpk.setRowBnds(problem_.get(), row + 1, equality ? GLP_FX : GLP_UP, upper, upper);
}

std::optional<LinearProgram::Solution> LinearProgram::Solve() {
    const GlpkLibrary& glpk = Glpk();
    glp_smcp settings;
    glpk.initSmcp(&settings);
    settings.msg_lev = GLP_MSG_OFF;
    // A problem of this size takes a few dozen pivots; a solver cycling on a degenerate
    // vertex is stopped rather than waited on.
    settings.it_lim = kIterationLimit;
    // The primal method: every column free and nonbasic at zero is a feasible start for
    // the programs solved here (a step of zero), and after a small change the last
    // basis is nearly optimal.
    settings.meth = GLP_PRIMAL;
    const int code = glpk.simplex(problem_.get(), &settings);
    if (code != 0 || glpk.getStatus(problem_.get()) != GLP_OPT) {
        return std::nullopt;
    }
    Solution solution;
    solution.objective = glpk.getObjVal(problem_.get());
    for (int j = 1; j <= columns_; ++j) solution.x.push_back(glpk.getColPrim(problem_.get(), j));
    return solution;
}

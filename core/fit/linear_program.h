#pragma once
// A small dense linear program, minimise c·x under rows a·x <= u (or = u) over free
// columns (a bound on x_j is a row of its own), solved by GLPK's simplex method. Rows and
// objective may be changed between solves; each solve starts from the basis the last one
// ended with, which after a small change is a few pivots from the new optimum.

#include <memory>
#include <optional>
#include <vector>

struct glp_prob;

class LinearProgram {
public:
    // Every column is free (bounds come as rows) with a zero objective coefficient.
    // Throws std::runtime_error when GLPK cannot be loaded.
    LinearProgram(int columns, int rows);
    ~LinearProgram();
    LinearProgram(const LinearProgram&) = delete;
    LinearProgram& operator=(const LinearProgram&) = delete;

    int Columns() const { return columns_; }

    void SetObjective(int column, double coefficient);
    // Row `row` reads a·x <= upper, or a·x = upper where `equality`; `a` has Columns()
    // entries.
    void SetRow(int row, const std::vector<double>& a, double upper, bool equality = false);

    struct Solution {
        std::vector<double> x;
        double objective = 0.0;
    };
    // The optimum, or nothing when the solver found none (infeasible, unbounded, or it
    // gave up on a badly conditioned basis).
    std::optional<Solution> Solve();

private:
    struct Deleter {
        void operator()(glp_prob* problem) const;
    };
    int columns_;
    std::unique_ptr<glp_prob, Deleter> problem_;
    std::vector<int> indices_;    // 1-based, as GLPK counts, with the unused slot 0
    std::vector<double> values_;  // a row in the same layout, reused by every SetRow
};

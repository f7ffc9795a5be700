#include "fit/linear_program.h"

#include <gtest/gtest.h>

namespace {

// Minimise -x - y: the corner of x + 2y <= 4 and 3x + y <= 6, then the corner that a
// changed row makes, solved again from the first basis.
TEST(LinearProgram, FindsTheOptimalCornerAndFollowsAChangedRow) {
    LinearProgram program(2, 2);
    program.SetObjective(0, -1.0);
    program.SetObjective(1, -1.0);
    program.SetRow(0, {1.0, 2.0}, 4.0);
    program.SetRow(1, {3.0, 1.0}, 6.0);
    auto solution = program.Solve();
    ASSERT_TRUE(solution);
    EXPECT_NEAR(solution->x[0], 1.6, 1e-12);
    EXPECT_NEAR(solution->x[1], 1.2, 1e-12);
    EXPECT_NEAR(solution->objective, -2.8, 1e-12);

    program.SetRow(0, {1.0, -1.0}, 0.0, true);  // x = y
    solution = program.Solve();
    ASSERT_TRUE(solution);
    EXPECT_NEAR(solution->x[0], 1.5, 1e-12);
    EXPECT_NEAR(solution->x[1], 1.5, 1e-12);
}

TEST(LinearProgram, ReportsNoOptimumForAnInfeasibleOrUnboundedProgram) {
    LinearProgram infeasible(1, 2);
    infeasible.SetRow(0, {-1.0}, 0.0);  // x >= 0
    infeasible.SetRow(1, {1.0}, -1.0);  // x <= -1
    EXPECT_FALSE(infeasible.Solve());

    LinearProgram unbounded(1, 1);
    unbounded.SetObjective(0, -1.0);
    unbounded.SetRow(0, {-1.0}, 0.0);
    EXPECT_FALSE(unbounded.Solve());
}

}  // namespace

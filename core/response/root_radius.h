#pragma once
// How far a section's roots lie from the origin: below 1 for its poles, the section is
// stable; for its zeros too, it is minimum-phase and has a stable reciprocal.

// The largest root radius of c0 + c1·z⁻¹ + c2·z⁻² (c0 = 1 for a denominator).
double LargestRootRadius(double c0, double c1, double c2);

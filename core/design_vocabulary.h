#pragma once
// The words every stage of a design shares, from the curves up to the writers.

// Where the gain argument applies: at DC, as the matched design scales it, or at 1 kHz.
enum class GainReference { Dc, OneKilohertz };

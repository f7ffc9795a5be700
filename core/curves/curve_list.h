#pragma once
// The table of named curves as text: what `vorlexi-calc --list-curves` prints.

#include <string>

#include "curves/named_curves.h"

// The row's time constants as a custom entry reads them back ("p:3180u,z:318u,p:75u";
// "inf" for a factor at DC), so that a listed curve can be copied and changed.
std::string CurveConstantsText(const NamedCurve& curve);

// One line a curve, in table order: name, description, time constants, each column
// padded to its widest entry; lines end in "\n".
std::string CurveListText();

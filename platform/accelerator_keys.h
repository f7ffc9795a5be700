#pragma once
// Accelerator-table entries as Qt key combinations. For the layer's own sources.

#include "resource_types.h"

#include <QKeyCombination>

#include <optional>

namespace platform {

// The key combination of a virtual-key entry (letters, digits, function keys and the
// editing keys Backspace, Insert and Delete) with Ctrl, Shift and Alt. Nothing for a key Qt has no
// name for, and for a character entry (no FVIRTKEY), which no accelerator table of the program
// holds.
std::optional<QKeyCombination> KeyForAccelerator(const AcceleratorEntry& entry);

}  // namespace platform

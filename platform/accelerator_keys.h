#pragma once
// Accelerator-table entries as Qt key combinations. For the layer's own sources.

#include "resource_types.h"

#include <QKeyCombination>

#include <optional>

namespace platform {

// The key combination of an entry: virtual keys (letters, digits, function keys, editing
// and cursor keys) with Ctrl, Shift and Alt; a character entry (no FVIRTKEY) as that
// character. Nothing for a key Qt has no name for.
std::optional<QKeyCombination> KeyForAccelerator(const AcceleratorEntry& entry);

}  // namespace platform

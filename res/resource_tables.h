#pragma once
// The tables that make up vorlexi's resource module, one source file each.

#include <span>

#include "resource_types.h"

namespace vorlexi::res {

// Shown in the About box and stored in the version record.
inline constexpr char kCopyrightLine[] = "Copyright \xA9 2026 vorlexi authors";

// The size of a toolbar button, in the toolbar resource and in its bitmap.
inline constexpr int kToolbarButtonWidth = 16;
inline constexpr int kToolbarButtonHeight = 15;

std::span<const platform::MenuTemplate> Menus();
std::span<const platform::AcceleratorTable> AcceleratorTables();
std::span<const platform::StringTableEntry> StringTable();
std::span<const platform::ToolbarResource> Toolbars();
std::span<const platform::BitmapResource> Bitmaps();
std::span<const platform::IconResource> Icons();
std::span<const platform::DialogTemplate> Dialogs();
const platform::VersionInfo& Version();

}  // namespace vorlexi::res

#pragma once
// The program's resources as the layer finds them by id, once AfxSetResourceModule (or
// AfxWinMain) has handed them over. A missing resource is a null pointer, never a crash.

#include "resource_types.h"

#include <string_view>

namespace platform {

// Hands the resources to the layer (AfxWinMain does this too); they must outlive it.
void AfxSetResourceModule(const ResourceModule& module);

// The string of id, or null when the table has none.
const char* FindStringResource(UINT id);
const MenuTemplate* FindMenuResource(UINT id);
const AcceleratorTable* FindAcceleratorResource(UINT id);
const BitmapResource* FindBitmapResource(UINT id);
const IconResource* FindIconResource(UINT id);
const ToolbarResource* FindToolbarResource(UINT id);
const DialogTemplate* FindDialogResource(UINT id);
const VersionInfo* FindVersionResource();

// A command's prompt: the text before "\n" of its string (empty when there is none; for a
// document string, the window title), and its tooltip: the text after "\n".
std::string_view CommandPrompt(UINT id);
std::string_view CommandTooltip(UINT id);

}  // namespace platform

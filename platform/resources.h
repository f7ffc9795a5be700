#pragma once
// The program's resources as the layer finds them by id, once AfxSetResourceModule (or
// AfxWinMain) has handed them over. A missing resource is a null pointer, never a crash.

#include "cstring.h"
#include "resource_types.h"

namespace platform {

const ResourceModule& AfxGetResourceModule();

// The string of id, or null when the table has none.
const char* FindStringResource(UINT id);
// The string of id; FALSE (and an empty text) when there is none.
BOOL LoadStringResource(UINT id, CString& text);

const MenuTemplate* FindMenuResource(UINT id);
const AcceleratorTable* FindAcceleratorResource(UINT id);
const BitmapResource* FindBitmapResource(UINT id);
const IconResource* FindIconResource(UINT id);
const ToolbarResource* FindToolbarResource(UINT id);
const DialogTemplate* FindDialogResource(UINT id);
const VersionInfo* FindVersionResource();

// A command's prompt: the text before "\n" of its string (empty when there is none), and
// its tooltip: the text after "\n".
CString CommandPrompt(UINT id);
CString CommandTooltip(UINT id);

}  // namespace platform

#pragma once
// Message boxes for text that is already Unicode (messages naming files, whose names need
// not fit Windows-1252). For the layer's own sources.

#include "win_types.h"

#include <QString>

namespace platform {

// As AfxMessageBox; an installed answer function sees the text in Windows-1252.
int ShowMessageBox(const QString& text, UINT type = MB_OK);

}  // namespace platform

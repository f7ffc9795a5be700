#pragma once
// The framework's names for the program's classes: include this one header and write
// CWinApp, CFrameWnd, ID_FILE_NEW ... as the old framework's programs did.

#include "control_bars.h"
#include "dialog.h"
#include "doc_template.h"
#include "document.h"
#include "edit_view.h"
#include "frame_wnd.h"
#include "message_box.h"
#include "resources.h"
#include "win_app.h"

// The framework's names are the program's vocabulary; bringing the whole namespace in
// here keeps the program's classes reading like the framework's own examples.
using namespace platform;

#pragma once
// Control bars: the toolbar (built from an RT_TOOLBAR resource and the bitmap of the same
// id) and the status bar (a message pane and indicator panes), created on a frame. A bar's
// child-window id is also the command that shows and hides it (View > Toolbar, View >
// Status Bar).

#include "wnd.h"

#include <vector>

namespace platform {

class FrameWindow;

class CControlBar : public CWnd {
public:
    // The sides (CBRS_ALIGN_ flags) the bar may dock on; 0 keeps it where it is.
    void EnableDocking(DWORD dockStyle) { m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY; }
    DWORD GetDockingStyle() const { return m_dwDockStyle; }

protected:
    CControlBar() = default;
    // The window of parent that the bar goes on; null when parent is no frame or the bar
    // exists already.
    FrameWindow* Attach(CWnd* parent, DWORD style);

    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
    FrameWindow* m_pWindow = nullptr;
};

class CToolBar : public CControlBar {
public:
    // The bar's window, with flat buttons that show their tooltips; CBRS_GRIPPER,
    // CBRS_FLYBY (prompts in the status bar) and a CBRS_ALIGN_ side in style. The control
    // style, CBRS_TOOLTIPS and the borders are the old framework's: buttons are always
    // flat, tooltips always shown.
    BOOL CreateEx(CWnd* parent, DWORD controlStyle = TBSTYLE_FLAT,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect borders = {},
                  UINT id = AFX_IDW_TOOLBAR);

    // Buttons from the RT_TOOLBAR resource and images from the bitmap of the same id;
    // FALSE, with the bar as it was, when either is missing or malformed (bad version,
    // count, or an image strip too small for the buttons).
    BOOL LoadToolBar(UINT resourceId);
};

class CStatusBar : public CControlBar {
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT id = AFX_IDW_STATUS_BAR);

    // One pane per id, set once: ID_SEPARATOR is the message pane, other ids are indicators
    // whose text is the string of that id; ID_INDICATOR_CAPS, _NUM and _SCRL show their
    // text only while the lock key is on. FALSE when an indicator's string is missing.
    BOOL SetIndicators(const UINT* ids, int count);

private:
    // Reads the lock keys now and updates the indicator panes.
    void UpdateIndicators();

    std::vector<UINT> m_paneIds;
};

}  // namespace platform

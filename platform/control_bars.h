#pragma once
// Control bars: the toolbar (built from an RT_TOOLBAR resource and the bitmap of the same
// id) and the status bar (a message pane and indicator panes). A bar's child-window id is
// also the command that shows and hides it (View > Toolbar, View > Status Bar).

#include "wnd.h"

#include <vector>

namespace platform {

class CFrameWnd;

class CControlBar : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    ~CControlBar() override;

    UINT GetDlgCtrlID() const { return m_nID; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    // The sides (CBRS_ALIGN_ flags) the bar may dock on; 0 keeps it where it is.
    void EnableDocking(DWORD dockStyle);
    DWORD GetDockingStyle() const { return m_dwDockStyle; }
    CFrameWnd* GetDockingFrame() const { return m_pFrame; }

protected:
    CControlBar() = default;
    // Registers the bar with its frame under id.
    void AttachToFrame(CFrameWnd* frame, UINT id, DWORD style);

    CFrameWnd* m_pFrame = nullptr;
    UINT m_nID = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
};

class CToolBar : public CControlBar {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CToolBar();
    ~CToolBar() override;

    // The bar's window: TBSTYLE_FLAT for flat buttons; CBRS_GRIPPER, CBRS_TOOLTIPS,
    // CBRS_FLYBY (prompts in the status bar), CBRS_SIZE_DYNAMIC and a CBRS_ALIGN_ side
    // in style. Borders are accepted for compatibility and ignored.
    BOOL CreateEx(CFrameWnd* parent, DWORD controlStyle = TBSTYLE_FLAT,
                  DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect borders = CRect(),
                  UINT id = AFX_IDW_TOOLBAR);
    BOOL Create(CFrameWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT id = AFX_IDW_TOOLBAR);

    // Buttons from the RT_TOOLBAR resource and images from the bitmap of the same id;
    // FALSE when either is missing or malformed (bad version, count, or an image strip
    // too small for the buttons).
    BOOL LoadToolBar(UINT resourceId);

    // The item ids in bar order, 0 for separators; what LoadToolBar read.
    const std::vector<UINT>& GetItemIds() const { return m_itemIds; }

private:
    DWORD m_dwControlStyle = 0;
    std::vector<UINT> m_itemIds;
};

class CStatusBar : public CControlBar {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CStatusBar();
    ~CStatusBar() override;

    BOOL Create(CFrameWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT id = AFX_IDW_STATUS_BAR);

    // One pane per id: ID_SEPARATOR is the message pane, other ids are indicators whose
    // text is the string of that id; ID_INDICATOR_CAPS, _NUM and _SCRL show their text only
    // while the lock key is on. FALSE when an indicator's string is missing.
    BOOL SetIndicators(const UINT* ids, int count);

    // The message pane's text; the idle message when text is null.
    void SetPaneText(int index, LPCTSTR text);
    CString GetPaneText(int index) const;
    int GetCount() const { return static_cast<int>(m_paneIds.size()); }
    UINT GetItemID(int index) const { return m_paneIds.at(static_cast<std::size_t>(index)); }

    // Reads the lock keys now and updates the indicator panes.
    void UpdateIndicators();

private:
    std::vector<UINT> m_paneIds;
};

}  // namespace platform

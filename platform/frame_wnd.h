#pragma once
// The frame window: the main window with the menu bar, accelerators and icon of its
// resource id, its control bars and its view as the client. Commands from the menu, the
// toolbar and the accelerators go the route active view, document, frame, application;
// item states are refreshed when a menu is about to show and, for the toolbar, when the
// program goes idle. The frame's map holds the View > Toolbar / Status Bar toggles. The
// frame owns its title: the document's name and the window title of its resource string.

#include "wnd.h"

#include <vector>

namespace platform {

class CControlBar;
class CDocument;
class CView;
class FrameWindow;

// What a frame needs to create its view.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
};

class CFrameWnd : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap<CFrameWnd> messageMap;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window: the widget, the menu, accelerators and icon of resourceId, then
    // OnCreate (which makes the view from context). FALSE when OnCreate refused; the window
    // then does not exist.
    BOOL LoadFrame(UINT resourceId, CCreateContext* context);

    // Overridable: 0 to go on, -1 to fail the creation. The frame's own makes the view.
    virtual int OnCreate(LPCREATESTRUCT cs);

    // Route: the active view (and its document), the frame, the application.
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
    // Carries out a command as its menu item does, then brings the title up to date.
    void OnCommand(UINT id);

    // Docking: the sides bars may dock on (CBRS_ALIGN_ flags), then a bar that may dock
    // there too.
    void EnableDocking(DWORD dockStyle) { m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY; }
    void DockControlBar(CControlBar* bar);

    CView* GetActiveView() const { return m_pView; }
    CDocument* GetActiveDocument() const;

    // The title: "document - application", the document's name in Unicode.
    void OnUpdateFrameTitle();
    // The recent-file entries of the menu, most recent first ("&1 path", ...); none shows
    // the grayed placeholder. The application keeps the list and calls this.
    void SetRecentFileMenu(const std::vector<CString>& paths);
    // Refreshes every menu item's and toolbar button's state through the route now.
    void UpdateCommandStates();

    // Standard commands.
    void OnBarToggle(UINT id);
    void OnUpdateControlBarMenu(CCmdUI* ui);

private:
    FrameWindow* Window() const;
    // The close box and File > Exit: asks to save, then closes; false when cancelled.
    bool CanClose();

    CView* m_pView = nullptr;
    DWORD m_dwDockStyle = 0;
    CString m_appTitle;
};

}  // namespace platform

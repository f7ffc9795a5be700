#pragma once
// The frame window: the main window with the menu bar, accelerators and icon of its
// resource id, its control bars and its view as the client. Commands from the menu, the
// toolbar and the accelerators go the route active view, document, frame, application;
// item states are refreshed when a menu is about to show and, for the toolbar, when the
// program goes idle. The frame's map holds the View > Toolbar / Status Bar toggles.

#include "wnd.h"

#include <memory>
#include <vector>

namespace platform {

class CControlBar;
class CDocument;
class CView;
struct CCreateContext;
class FrameWidget;
class FrameCommandWiring;

class CFrameWnd : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap<CFrameWnd> messageMap;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window: PreCreateWindow, the widget, the menu, accelerators and icon of
    // resourceId, then OnCreate (which makes the view from context). FALSE when
    // PreCreateWindow or OnCreate refused; the window then does not exist.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, CCreateContext* context = nullptr);

    // Overridables. OnCreate returns 0 to go on, -1 to fail the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual int OnCreate(LPCREATESTRUCT cs);
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
    virtual void OnUpdateFrameTitle(BOOL addToTitle);
    // The close box and File > Exit: asks to save, then closes; FALSE when cancelled.
    virtual BOOL OnClose();

    // Route: the active view (and its document), the frame, the application.
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

    // Docking: the sides bars may dock on (CBRS_ALIGN_ flags), then a bar's place.
    void EnableDocking(DWORD dockStyle);
    // Docks bar on the side its style names, or on the dock bar given (AFX_IDW_DOCKBAR_).
    void DockControlBar(CControlBar* bar, UINT dockBarId = 0, LPCRECT rect = nullptr);
    DWORD GetDockingSides() const { return m_dwDockStyle; }

    CControlBar* GetControlBar(UINT id) const;
    void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay = FALSE);

    CView* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(CView* view);
    CDocument* GetActiveDocument() const;

    // The status bar's message pane: the command's prompt (the text before "\n" of its
    // string), or the idle message for 0 / AFX_IDS_IDLEMESSAGE.
    void SetMessageText(UINT id);
    void SetMessageText(LPCTSTR text);

    // Refreshes every menu item's and toolbar button's state through the routes now.
    void UpdateCommandStates();

    // Standard commands.
    BOOL OnBarCheck(UINT id);
    void OnBarToggle(UINT id) { OnBarCheck(id); }
    void OnUpdateControlBarMenu(CCmdUI* ui);

    // Replaces the recent-file entries of the menu (the items standing where the
    // ID_FILE_MRU_FILE1 placeholder was) with "&1 path", "&2 path", ...; an empty list
    // shows the grayed placeholder.
    void SetRecentFileMenu(const std::vector<CString>& paths);

    // The widget of the main window, for the layer.
    FrameWidget* GetFrameWidget() const;

    BOOL m_bAutoMenuEnable = TRUE;

protected:
    UINT m_nIDHelp = 0;  // the resource id the frame was loaded from

private:
    friend class CControlBar;
    friend class CToolBar;
    friend class FrameCommandWiring;
    FrameCommandWiring* Wiring() const;
    void RegisterControlBar(CControlBar* bar);
    void UnregisterControlBar(CControlBar* bar);

    std::vector<CControlBar*> m_controlBars;
    CView* m_pActiveView = nullptr;
    DWORD m_dwDockStyle = 0;
    DWORD m_dwFrameStyle = 0;
    std::unique_ptr<FrameCommandWiring> m_wiring;
    CView* m_pOwnedView = nullptr;
};

}  // namespace platform

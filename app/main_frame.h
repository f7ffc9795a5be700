#pragma once
// The main window: menu, accelerators and icon of IDR_MAINFRAME, a dockable toolbar
// along the top and a status bar along the bottom, the view as its client. The View
// menu's toggles are the frame base's: each bar's child-window id is its command.

#include "afx.h"

class CMainFrame : public CFrameWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    int OnCreate(LPCREATESTRUCT cs) override;

protected:
    CStatusBar m_statusBar;
    CToolBar m_toolBar;
};

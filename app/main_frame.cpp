#include "main_frame.h"

#include "resource_ids.h"

#include <iterator>

const CRuntimeClass CMainFrame::runtimeClass =
    DynamicClass<CMainFrame>("CMainFrame", &CFrameWnd::runtimeClass);

namespace {

// The status bar's panes: the message pane, then the three lock-key indicators.
const UINT statusIndicators[] = {
    ID_SEPARATOR,
    ID_INDICATOR_CAPS,
    ID_INDICATOR_NUM,
    ID_INDICATOR_SCRL,
};

}  // namespace

int CMainFrame::OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1) {
        return -1;
    }
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT,
                            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                            CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR)) {
        return -1;
    }
    if (!m_toolBar.LoadToolBar(IDR_MAINFRAME)) {
        return -1;
    }
    if (!m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR)) {
        return -1;
    }
    if (!m_statusBar.SetIndicators(statusIndicators,
                                   static_cast<int>(std::size(statusIndicators)))) {
        return -1;
    }
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);  // along the top, as its style says
    return 0;
}

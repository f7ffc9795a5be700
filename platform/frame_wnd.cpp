#include "frame_wnd.h"

#include "command_wiring.h"
#include "control_bars.h"
#include "doc_template.h"
#include "document.h"
#include "document_title.h"
#include "frame_widget.h"
#include "qt_bridge.h"
#include "resources.h"
#include "view.h"
#include "win_app.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>

#include <algorithm>

namespace platform {

const CRuntimeClass CFrameWnd::runtimeClass =
    PlainClass<CFrameWnd>("CFrameWnd", &CWnd::runtimeClass);
const MessageMap<CFrameWnd> CFrameWnd::messageMap{
    &CWnd::messageMap,
    {
        {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarToggle},
        {ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu},
        {ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu},
    }};

namespace {

Qt::ToolBarAreas ToolBarAreasFor(DWORD sides) {
    Qt::ToolBarAreas areas;
    if (sides & CBRS_ALIGN_TOP) {
        areas |= Qt::TopToolBarArea;
    }
    if (sides & CBRS_ALIGN_BOTTOM) {
        areas |= Qt::BottomToolBarArea;
    }
    if (sides & CBRS_ALIGN_LEFT) {
        areas |= Qt::LeftToolBarArea;
    }
    if (sides & CBRS_ALIGN_RIGHT) {
        areas |= Qt::RightToolBarArea;
    }
    return areas;
}

// The side a bar docks on: the dock bar named, else the first side of its style.
Qt::ToolBarArea DockAreaFor(UINT dockBarId, DWORD barStyle) {
    switch (dockBarId) {
        case AFX_IDW_DOCKBAR_TOP:
            return Qt::TopToolBarArea;
        case AFX_IDW_DOCKBAR_BOTTOM:
            return Qt::BottomToolBarArea;
        case AFX_IDW_DOCKBAR_LEFT:
            return Qt::LeftToolBarArea;
        case AFX_IDW_DOCKBAR_RIGHT:
            return Qt::RightToolBarArea;
        default:
            break;
    }
    if (barStyle & CBRS_ALIGN_TOP) {
        return Qt::TopToolBarArea;
    }
    if (barStyle & CBRS_ALIGN_BOTTOM) {
        return Qt::BottomToolBarArea;
    }
    if (barStyle & CBRS_ALIGN_LEFT) {
        return Qt::LeftToolBarArea;
    }
    if (barStyle & CBRS_ALIGN_RIGHT) {
        return Qt::RightToolBarArea;
    }
    return Qt::TopToolBarArea;
}

}  // namespace

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
    delete m_pOwnedView;
    m_pOwnedView = nullptr;
    m_pActiveView = nullptr;
    m_wiring.reset();
}

FrameWidget* CFrameWnd::GetFrameWidget() const { return static_cast<FrameWidget*>(Widget()); }

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.style == 0) {
        cs.style = static_cast<LONG>(WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE);
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, CCreateContext* context) {
    m_nIDHelp = resourceId;
    m_pParentWnd = parent;
    CREATESTRUCT cs;
    cs.style = static_cast<LONG>(style);
    cs.lpCreateParams = context;
    if (!PreCreateWindow(cs)) {
        return FALSE;
    }
    m_dwFrameStyle = static_cast<DWORD>(cs.style);

    auto* widget = new FrameWidget(*this);
    AttachWidget(widget);
    const QIcon icon = IconFromResource(resourceId);
    if (!icon.isNull()) {
        widget->setWindowIcon(icon);
        QApplication::setWindowIcon(icon);
    }
    if (cs.cx > 0 && cs.cy > 0) {
        widget->setGeometry(cs.x, cs.y, cs.cx, cs.cy);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableGeometry().size();
        widget->resize(std::max(640, available.width() * 2 / 3),
                       std::max(480, available.height() * 2 / 3));
    }

    m_wiring = std::make_unique<FrameCommandWiring>(*this, *widget);
    if (const MenuTemplate* menu = FindMenuResource(resourceId)) {
        m_wiring->BuildMenuBar(*widget->menuBar(), *menu);
    }
    if (const AcceleratorTable* accelerators = FindAcceleratorResource(resourceId)) {
        m_wiring->AddAccelerators(*accelerators);
    }
    if (CWinApp* app = AfxGetApp()) {
        SetRecentFileMenu(app->GetRecentFiles());
    }

    if (OnCreate(&cs) == -1) {
        delete m_pOwnedView;
        m_pOwnedView = nullptr;
        m_pActiveView = nullptr;
        m_wiring.reset();
        DestroyWindow();
        return FALSE;
    }
    OnUpdateFrameTitle(TRUE);
    m_wiring->MarkDirty();
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
    auto* context = cs != nullptr ? static_cast<CCreateContext*>(cs->lpCreateParams) : nullptr;
    return OnCreateClient(cs, context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT /*cs*/, CCreateContext* context) {
    if (context == nullptr || context->m_pNewViewClass == nullptr) {
        return TRUE;
    }
    CObject* object = context->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object);
    if (view == nullptr) {
        delete object;
        return FALSE;
    }
    if (!view->Create(this, context->m_pCurrentDoc)) {
        delete view;
        return FALSE;
    }
    m_pOwnedView = view;
    GetFrameWidget()->setCentralWidget(view->Widget());
    SetActiveView(view);
    return TRUE;
}

void CFrameWnd::SetActiveView(CView* view) {
    m_pActiveView = view;
    if (view != nullptr && view->Widget() != nullptr) {
        view->Widget()->setFocus(Qt::OtherFocusReason);
    }
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_pActiveView != nullptr ? m_pActiveView->GetDocument() : nullptr;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL addToTitle) {
    QWidget* widget = Widget();
    if (widget == nullptr) {
        return;
    }
    QString appTitle;
    CDocument* document = GetActiveDocument();
    if (document != nullptr && document->GetDocTemplate() != nullptr) {
        CString field;
        if (document->GetDocTemplate()->GetDocString(field, CDocTemplate::windowTitle)) {
            appTitle = ToQString(field);
        }
    }
    if (appTitle.isEmpty()) {
        if (const CWinApp* app = AfxGetApp(); app != nullptr) {
            appTitle = ToQString(app->m_pszAppName);
        }
    }
    if (addToTitle && (m_dwFrameStyle & FWS_ADDTOTITLE) && document != nullptr) {
        widget->setWindowTitle(DisplayTitle(*document) + QStringLiteral(" - ") + appTitle);
    } else {
        widget->setWindowTitle(appTitle);
    }
}

BOOL CFrameWnd::OnClose() {
    CWinApp* app = AfxGetApp();
    return app == nullptr || app->SaveAllModified();
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
    if (m_pActiveView != nullptr && m_pActiveView->OnCmdMsg(id, code, ui)) {
        return TRUE;
    }
    if (DispatchToOwnMap(id, code, ui)) {
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(id, code, ui);
}

void CFrameWnd::EnableDocking(DWORD dockStyle) {
    m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY;
    for (CControlBar* bar : m_controlBars) {
        if (auto* toolBar = qobject_cast<QToolBar*>(bar->Widget())) {
            toolBar->setAllowedAreas(ToolBarAreasFor(m_dwDockStyle & bar->GetDockingStyle()));
        }
    }
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, LPCRECT /*rect*/) {
    auto* toolBar = bar != nullptr ? qobject_cast<QToolBar*>(bar->Widget()) : nullptr;
    if (toolBar == nullptr) {
        return;
    }
    const DWORD sides = m_dwDockStyle & bar->GetDockingStyle();
    toolBar->setAllowedAreas(ToolBarAreasFor(sides));
    toolBar->setFloatable(sides != 0);
    Qt::ToolBarArea area = DockAreaFor(dockBarId, bar->GetBarStyle());
    if (sides != 0 && !(ToolBarAreasFor(sides) & area)) {
        area = DockAreaFor(0, sides);
    }
    const bool visible = !toolBar->isHidden();
    GetFrameWidget()->addToolBar(area, toolBar);
    toolBar->setVisible(visible);
}

void CFrameWnd::RegisterControlBar(CControlBar* bar) {
    if (std::find(m_controlBars.begin(), m_controlBars.end(), bar) == m_controlBars.end()) {
        m_controlBars.push_back(bar);
    }
}

void CFrameWnd::UnregisterControlBar(CControlBar* bar) {
    m_controlBars.erase(std::remove(m_controlBars.begin(), m_controlBars.end(), bar),
                        m_controlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT id) const {
    for (CControlBar* bar : m_controlBars) {
        if (bar->GetDlgCtrlID() == id) {
            return bar;
        }
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* bar, BOOL show, BOOL /*delay*/) {
    if (bar != nullptr && bar->Widget() != nullptr) {
        bar->Widget()->setVisible(show != FALSE);
    }
}

BOOL CFrameWnd::OnBarCheck(UINT id) {
    CControlBar* bar = GetControlBar(id);
    if (bar == nullptr || bar->Widget() == nullptr) {
        return FALSE;
    }
    ShowControlBar(bar, bar->Widget()->isHidden());
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* ui) {
    CControlBar* bar = GetControlBar(ui->m_nID);
    if (bar == nullptr || bar->Widget() == nullptr) {
        ui->m_bContinueRouting = TRUE;
        return;
    }
    ui->SetCheck(bar->Widget()->isHidden() ? 0 : 1);
    ui->Enable(TRUE);
}

void CFrameWnd::SetMessageText(UINT id) {
    if (id == 0 || id == AFX_IDS_IDLEMESSAGE) {
        SetMessageText(FindStringResource(AFX_IDS_IDLEMESSAGE));
        return;
    }
    SetMessageText(CommandPrompt(id));
}

void CFrameWnd::SetMessageText(LPCTSTR text) {
    if (auto* statusBar = dynamic_cast<CStatusBar*>(GetControlBar(AFX_IDW_STATUS_BAR))) {
        statusBar->SetPaneText(0, text != nullptr ? text : "");
    }
}

void CFrameWnd::UpdateCommandStates() {
    if (m_wiring) {
        m_wiring->UpdateAllStates();
    }
}

void CFrameWnd::SetRecentFileMenu(const std::vector<CString>& displayNames) {
    if (m_wiring) {
        m_wiring->SetRecentFiles(displayNames);
    }
}

FrameCommandWiring* CFrameWnd::Wiring() const { return m_wiring.get(); }

}  // namespace platform

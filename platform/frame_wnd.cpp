#include "frame_wnd.h"

#include "control_bars.h"
#include "document.h"
#include "frame_window.h"
#include "qt_bridge.h"
#include "resources.h"
#include "view.h"

#include <QApplication>
#include <QScreen>
#include <QToolBar>

#include <algorithm>

namespace platform {

const CRuntimeClass CFrameWnd::runtimeClass{"CFrameWnd", nullptr, &CWnd::runtimeClass};
const MessageMap<CFrameWnd> CFrameWnd::messageMap{
    &CCmdTarget::messageMap,
    {
        {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CFrameWnd::OnBarToggle},
        {ID_VIEW_TOOLBAR, &CFrameWnd::OnUpdateControlBarMenu},
        {ID_VIEW_STATUS_BAR, &CFrameWnd::OnUpdateControlBarMenu},
    }};

namespace {

Qt::ToolBarAreas ToolBarAreasFor(DWORD sides) {
    Qt::ToolBarAreas areas;
    areas.setFlag(Qt::TopToolBarArea, (sides & CBRS_ALIGN_TOP) != 0);
    areas.setFlag(Qt::BottomToolBarArea, (sides & CBRS_ALIGN_BOTTOM) != 0);
    areas.setFlag(Qt::LeftToolBarArea, (sides & CBRS_ALIGN_LEFT) != 0);
    areas.setFlag(Qt::RightToolBarArea, (sides & CBRS_ALIGN_RIGHT) != 0);
    return areas;
}

}  // namespace

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
    // The view goes before the window that holds its widget.
    delete m_pView;
}

FrameWindow* CFrameWnd::Window() const { return static_cast<FrameWindow*>(Widget()); }

BOOL CFrameWnd::LoadFrame(UINT resourceId, CCreateContext* context) {
    auto* window =
        new FrameWindow({this, [this](UINT id) { OnCommand(id); }, [this] { return CanClose(); }});
    AttachWidget(window);
    const QIcon icon = IconFromResource(resourceId);
    if (!icon.isNull()) {
        window->setWindowIcon(icon);
        QApplication::setWindowIcon(icon);
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize available = screen->availableGeometry().size();
        window->resize(std::max(640, available.width() * 2 / 3),
                       std::max(480, available.height() * 2 / 3));
    }
    if (const MenuTemplate* menu = FindMenuResource(resourceId)) {
        window->BuildMenuBar(*menu);
    }
    if (const AcceleratorTable* accelerators = FindAcceleratorResource(resourceId)) {
        window->AddAccelerators(*accelerators);
    }
    // The window title is the first field of the document string.
    m_appTitle = CString(CommandPrompt(resourceId));
    if (m_appTitle.IsEmpty()) {
        m_appTitle = FindStringResource(AFX_IDS_APP_TITLE);
    }

    CREATESTRUCT cs;
    cs.lpCreateParams = context;
    if (OnCreate(&cs) == -1) {
        delete m_pView;
        m_pView = nullptr;
        DestroyWindow();
        return FALSE;
    }
    OnUpdateFrameTitle();
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT cs) {
    const auto* context = static_cast<const CCreateContext*>(cs->lpCreateParams);
    if (context == nullptr || context->m_pNewViewClass == nullptr) {
        return 0;
    }
    CObject* object = context->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object);
    if (view == nullptr || !view->Create(context->m_pCurrentDoc)) {
        delete object;
        return -1;
    }
    m_pView = view;
    Window()->setCentralWidget(view->Widget());
    view->Widget()->setFocus(Qt::OtherFocusReason);
    return 0;
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_pView != nullptr ? m_pView->GetDocument() : nullptr;
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
    if (m_pView != nullptr && m_pView->OnCmdMsg(id, code, ui)) {
        return TRUE;
    }
    if (DispatchToOwnMap(id, code, ui)) {
        return TRUE;
    }
    CWinThread* thread = AfxGetThread();
    return thread != nullptr && thread->OnCmdMsg(id, code, ui);
}

void CFrameWnd::OnCommand(UINT id) {
    AfxRunCommand(this, id);
    // Save As names the document anew; the frame may be gone after Exit.
    if (IsWindow()) {
        OnUpdateFrameTitle();
    }
}

bool CFrameWnd::CanClose() {
    CDocument* document = GetActiveDocument();
    return document == nullptr || document->SaveModified();
}

void CFrameWnd::OnUpdateFrameTitle() {
    if (QWidget* widget = Widget()) {
        const CDocument* document = GetActiveDocument();
        const QString appTitle = ToQString(m_appTitle);
        widget->setWindowTitle(document != nullptr
                                   ? DisplayTitle(*document) + QStringLiteral(" - ") + appTitle
                                   : appTitle);
    }
}

void CFrameWnd::DockControlBar(CControlBar* bar) {
    // The bar stands on the side its style names since its creation; docking lets the
    // user drag it to the sides both allow, or float it.
    if (auto* toolBar = bar != nullptr ? qobject_cast<QToolBar*>(bar->Widget()) : nullptr) {
        const DWORD sides = m_dwDockStyle & bar->GetDockingStyle();
        toolBar->setAllowedAreas(ToolBarAreasFor(sides));
        toolBar->setFloatable(sides != 0);
    }
}

void CFrameWnd::SetRecentFileMenu(const std::vector<CString>& paths) {
    std::vector<QString> shown;
    for (const CString& path : paths) {
        shown.push_back(PathToQt(path));
    }
    Window()->SetRecentFiles(shown);
}

void CFrameWnd::UpdateCommandStates() { Window()->UpdateAllStates(); }

void CFrameWnd::OnBarToggle(UINT id) {
    if (QWidget* bar = Window()->ControlBar(id)) {
        bar->setVisible(bar->isHidden());
    }
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* ui) {
    const QWidget* bar = Window()->ControlBar(ui->m_nID);
    ui->SetCheck(bar != nullptr && !bar->isHidden() ? 1 : 0);
    ui->Enable(bar != nullptr);
}

}  // namespace platform

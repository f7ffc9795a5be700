#include "control_bars.h"

#include "command_wiring.h"
#include "frame_widget.h"
#include "frame_wnd.h"
#include "lock_keys.h"
#include "qt_bridge.h"
#include "resources.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace platform {

const CRuntimeClass CControlBar::runtimeClass =
    PlainClass<CControlBar>("CControlBar", &CWnd::runtimeClass);
const CRuntimeClass CToolBar::runtimeClass =
    PlainClass<CToolBar>("CToolBar", &CControlBar::runtimeClass);
const CRuntimeClass CStatusBar::runtimeClass =
    PlainClass<CStatusBar>("CStatusBar", &CControlBar::runtimeClass);

namespace {

// Palette index 7, light grey, is the button face the old toolbar bitmaps were painted on.
constexpr int kButtonFaceIndex = 7;
constexpr WORD kToolbarVersion = 1;

// How often the lock-key panes look at the keyboard when no key event says so: a lock key
// may change while another program has the focus.
constexpr int kLockKeyPollMilliseconds = 400;

}  // namespace

CControlBar::~CControlBar() {
    if (m_pFrame != nullptr) {
        m_pFrame->UnregisterControlBar(this);
    }
}

void CControlBar::AttachToFrame(CFrameWnd* frame, UINT id, DWORD style) {
    m_pFrame = frame;
    m_pParentWnd = frame;
    m_nID = id;
    m_dwStyle = style;
    frame->RegisterControlBar(this);
}

void CControlBar::EnableDocking(DWORD dockStyle) {
    m_dwDockStyle = dockStyle & CBRS_ALIGN_ANY;
    if (m_pFrame != nullptr && m_pFrame->GetDockingSides() != 0) {
        m_pFrame->EnableDocking(m_pFrame->GetDockingSides());
    }
}

CToolBar::CToolBar() = default;

CToolBar::~CToolBar() = default;

BOOL CToolBar::Create(CFrameWnd* parent, DWORD style, UINT id) {
    return CreateEx(parent, 0, style, CRect(), id);
}

BOOL CToolBar::CreateEx(CFrameWnd* parent, DWORD controlStyle, DWORD style, CRect /*borders*/,
                        UINT id) {
    if (parent == nullptr || parent->GetFrameWidget() == nullptr || IsWindow()) {
        return FALSE;
    }
    m_dwControlStyle = controlStyle;
    auto* toolBar = new QToolBar(parent->GetFrameWidget());
    toolBar->setObjectName(QStringLiteral("toolBar%1").arg(id));
    // The gripper is Qt's movable handle; without docking enabled the bar stays put.
    toolBar->setMovable((style & CBRS_GRIPPER) != 0);
    toolBar->setFloatable(false);
    toolBar->setAllowedAreas(Qt::NoToolBarArea);
    if ((controlStyle & TBSTYLE_FLAT) == 0) {
        toolBar->setStyleSheet(QStringLiteral("QToolButton { border: 1px outset palette(mid); }"));
    }
    AttachWidget(toolBar);
    AttachToFrame(parent, id, style);
    parent->GetFrameWidget()->addToolBar(
        (style & CBRS_ALIGN_BOTTOM) ? Qt::BottomToolBarArea : Qt::TopToolBarArea, toolBar);
    toolBar->setVisible((style & WS_VISIBLE) != 0);
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
    auto* toolBar = qobject_cast<QToolBar*>(Widget());
    const ToolbarResource* resource = FindToolbarResource(resourceId);
    const BitmapResource* bitmap = FindBitmapResource(resourceId);
    if (toolBar == nullptr || resource == nullptr || bitmap == nullptr ||
        resource->words.size() < 4) {
        return FALSE;
    }
    const WORD version = resource->words[0];
    const int width = resource->words[1];
    const int height = resource->words[2];
    const std::size_t count = resource->words[3];
    if (version != kToolbarVersion || width <= 0 || height <= 0 ||
        resource->words.size() < 4 + count) {
        return FALSE;
    }
    std::vector<UINT> ids(resource->words.begin() + 4,
                          resource->words.begin() + 4 + static_cast<std::ptrdiff_t>(count));
    const auto buttons =
        static_cast<int>(std::count_if(ids.begin(), ids.end(), [](UINT id) { return id != 0; }));
    const QImage strip = ImageFromResource(bitmap->image, kButtonFaceIndex);
    if (strip.width() < buttons * width || strip.height() < height) {
        return FALSE;
    }

    FrameCommandWiring* wiring = m_pFrame->Wiring();
    toolBar->clear();
    toolBar->setIconSize(QSize(width, height));
    int image = 0;
    for (UINT id : ids) {
        if (id == 0) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = wiring->Action(id);
        action->setIcon(QPixmap::fromImage(strip.copy(image * width, 0, width, height)));
        if (action->text().isEmpty()) {
            action->setText(ToQString(CommandTooltip(id)));
        }
        ++image;
        toolBar->addAction(action);
        if (auto* button = qobject_cast<QToolButton*>(toolBar->widgetForAction(action))) {
            button->setObjectName(QStringLiteral("toolButton%1").arg(id));
            wiring->WatchToolButton(button, id, (m_dwStyle & CBRS_FLYBY) != 0,
                                    (m_dwStyle & CBRS_TOOLTIPS) != 0);
        }
    }
    m_itemIds = std::move(ids);
    wiring->MarkDirty();
    return TRUE;
}

CStatusBar::CStatusBar() = default;

CStatusBar::~CStatusBar() = default;

namespace {

QLabel* PaneLabel(QStatusBar* bar, int index) {
    return bar != nullptr ? bar->findChild<QLabel*>(QStringLiteral("pane%1").arg(index)) : nullptr;
}

bool IsLockIndicator(UINT id) {
    return id == ID_INDICATOR_CAPS || id == ID_INDICATOR_NUM || id == ID_INDICATOR_SCRL;
}

}  // namespace

BOOL CStatusBar::Create(CFrameWnd* parent, DWORD style, UINT id) {
    if (parent == nullptr || parent->GetFrameWidget() == nullptr || IsWindow()) {
        return FALSE;
    }
    auto* statusBar = new QStatusBar(parent->GetFrameWidget());
    statusBar->setObjectName(QStringLiteral("statusBar%1").arg(id));
    AttachWidget(statusBar);
    AttachToFrame(parent, id, style);
    parent->GetFrameWidget()->setStatusBar(statusBar);
    statusBar->setVisible((style & WS_VISIBLE) != 0);

    if (CurrentLockKeys().known) {
        auto* poll = new QTimer(statusBar);
        QObject::connect(poll, &QTimer::timeout, statusBar, [this] { UpdateIndicators(); });
        poll->start(kLockKeyPollMilliseconds);
    }
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
    auto* statusBar = qobject_cast<QStatusBar*>(Widget());
    if (statusBar == nullptr || ids == nullptr || count < 0) {
        return FALSE;
    }
    for (QLabel* old : statusBar->findChildren<QLabel*>()) {
        statusBar->removeWidget(old);
        delete old;
    }
    m_paneIds.assign(ids, ids + count);
    for (int index = 0; index < count; ++index) {
        const UINT id = ids[index];
        auto* label = new QLabel(statusBar);
        label->setObjectName(QStringLiteral("pane%1").arg(index));
        label->setTextFormat(Qt::PlainText);
        if (id == ID_SEPARATOR) {
            label->setText(ToQString(FindStringResource(AFX_IDS_IDLEMESSAGE)));
            statusBar->addWidget(label, 1);
            continue;
        }
        const char* text = FindStringResource(id);
        if (text == nullptr) {
            return FALSE;
        }
        // The pane keeps the width of its text while the text is hidden, so the bar does
        // not jump when a lock key changes.
        label->setProperty("indicatorText", ToQString(text));
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::StyledPanel);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(ToQString(text)) + 12);
        label->setText(IsLockIndicator(id) ? QString() : ToQString(text));
        statusBar->addPermanentWidget(label);
    }
    UpdateIndicators();
    return TRUE;
}

void CStatusBar::SetPaneText(int index, LPCTSTR text) {
    if (QLabel* label = PaneLabel(qobject_cast<QStatusBar*>(Widget()), index)) {
        label->setText(ToQString(text != nullptr ? text : FindStringResource(AFX_IDS_IDLEMESSAGE)));
    }
}

CString CStatusBar::GetPaneText(int index) const {
    const QLabel* label = PaneLabel(qobject_cast<QStatusBar*>(Widget()), index);
    return label != nullptr ? ToCString(label->text()) : CString();
}

void CStatusBar::UpdateIndicators() {
    auto* statusBar = qobject_cast<QStatusBar*>(Widget());
    if (statusBar == nullptr) {
        return;
    }
    const LockKeyState keys = CurrentLockKeys();
    for (int index = 0; index < GetCount(); ++index) {
        const UINT id = m_paneIds[static_cast<std::size_t>(index)];
        if (!IsLockIndicator(id)) {
            continue;
        }
        const bool on = (id == ID_INDICATOR_CAPS && keys.capsLock) ||
                        (id == ID_INDICATOR_NUM && keys.numLock) ||
                        (id == ID_INDICATOR_SCRL && keys.scrollLock);
        if (QLabel* label = PaneLabel(statusBar, index)) {
            const QString text = on ? label->property("indicatorText").toString() : QString();
            if (label->text() != text) {
                label->setText(text);
            }
        }
    }
}

}  // namespace platform

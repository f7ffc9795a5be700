#include "control_bars.h"

#include "frame_window.h"
#include "lock_keys.h"
#include "qt_bridge.h"
#include "resources.h"

#include <QAction>
#include <QLabel>
#include <QPixmap>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace platform {

namespace {

// Palette index 7, light grey, is the button face the old toolbar bitmaps were painted on.
constexpr int kButtonFaceIndex = 7;

// How often the lock-key panes look at the keyboard when no key event says so: a lock key
// may change while another program has the focus.
constexpr int kLockKeyPollMilliseconds = 400;

bool IsLockIndicator(UINT id) {
    return id == ID_INDICATOR_CAPS || id == ID_INDICATOR_NUM || id == ID_INDICATOR_SCRL;
}

}  // namespace

FrameWindow* CControlBar::Attach(CWnd* parent, DWORD style) {
    auto* window = parent != nullptr ? dynamic_cast<FrameWindow*>(parent->Widget()) : nullptr;
    if (window == nullptr || IsWindow()) {
        return nullptr;
    }
    m_dwStyle = style;
    m_pWindow = window;
    return window;
}

BOOL CToolBar::CreateEx(CWnd* parent, DWORD /*controlStyle*/, DWORD style, CRect /*borders*/,
                        UINT id) {
    FrameWindow* window = Attach(parent, style);
    if (window == nullptr) {
        return FALSE;
    }
    auto* toolBar = new QToolBar(window);
    toolBar->setObjectName(QStringLiteral("toolBar%1").arg(id));
    // The gripper is Qt's movable handle; without docking enabled the bar stays put.
    toolBar->setMovable((style & CBRS_GRIPPER) != 0);
    toolBar->setFloatable(false);
    toolBar->setAllowedAreas(Qt::NoToolBarArea);
    AttachWidget(toolBar);
    window->AddControlBar(id, toolBar);
    window->addToolBar((style & CBRS_ALIGN_BOTTOM) ? Qt::BottomToolBarArea : Qt::TopToolBarArea,
                       toolBar);
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
    const std::span<const std::uint16_t> words = resource->words;
    const int width = words[1];
    const int height = words[2];
    const std::size_t count = words[3];
    if (words[0] != kToolbarVersion || width <= 0 || height <= 0 || words.size() < 4 + count) {
        return FALSE;
    }
    const std::span<const std::uint16_t> ids = words.subspan(4, count);
    const auto buttons = std::count_if(ids.begin(), ids.end(), [](UINT id) { return id != 0; });
    const QImage strip = ImageFromResource(bitmap->image, kButtonFaceIndex);
    if (strip.width() < buttons * width || strip.height() < height) {
        return FALSE;
    }

    toolBar->clear();
    toolBar->setIconSize(QSize(width, height));
    int image = 0;
    for (const UINT id : ids) {
        if (id == ID_SEPARATOR) {
            toolBar->addSeparator();
            continue;
        }
        QAction* action = m_pWindow->Action(id);
        action->setIcon(QPixmap::fromImage(strip.copy(image++ * width, 0, width, height)));
        if (action->text().isEmpty()) {
            action->setText(action->toolTip());
        }
        toolBar->addAction(action);
        QWidget* button = toolBar->widgetForAction(action);
        button->setObjectName(QStringLiteral("toolButton%1").arg(id));
        if (m_dwStyle & CBRS_FLYBY) {
            m_pWindow->WatchFlyBy(button, id);
        }
    }
    m_pWindow->MarkDirty();
    return TRUE;
}

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
    FrameWindow* window = Attach(parent, style);
    if (window == nullptr) {
        return FALSE;
    }
    auto* statusBar = new QStatusBar(window);
    statusBar->setObjectName(QStringLiteral("statusBar%1").arg(id));
    AttachWidget(statusBar);
    window->AddControlBar(id, statusBar);
    window->setStatusBar(statusBar);
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
    m_paneIds.assign(ids, ids + count);
    for (int index = 0; index < count; ++index) {
        const UINT id = ids[index];
        auto* label = new QLabel(statusBar);
        label->setObjectName(QStringLiteral("pane%1").arg(index));
        label->setTextFormat(Qt::PlainText);
        if (id == ID_SEPARATOR) {
            statusBar->addWidget(label, 1);
            m_pWindow->SetMessagePane(label);
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

void CStatusBar::UpdateIndicators() {
    const LockKeyState keys = CurrentLockKeys();
    for (std::size_t index = 0; index < m_paneIds.size(); ++index) {
        const UINT id = m_paneIds[index];
        auto* label = Widget()->findChild<QLabel*>(QStringLiteral("pane%1").arg(index));
        if (!IsLockIndicator(id) || label == nullptr) {
            continue;
        }
        const bool on = (id == ID_INDICATOR_CAPS && keys.capsLock) ||
                        (id == ID_INDICATOR_NUM && keys.numLock) ||
                        (id == ID_INDICATOR_SCRL && keys.scrollLock);
        const QString text = on ? label->property("indicatorText").toString() : QString();
        if (label->text() != text) {
            label->setText(text);
        }
    }
}

}  // namespace platform

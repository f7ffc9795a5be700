#include "wnd.h"

#include "gdi.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

namespace platform {

const CRuntimeClass CWnd::runtimeClass{"CWnd", nullptr, &CCmdTarget::runtimeClass};

// Qt may delete a widget along with its parent before the window object goes; the guarded
// pointer then reads null instead of dangling.
struct CWnd::WidgetHolder {
    QPointer<QWidget> widget;
};

CWnd::CWnd() : m_holder(std::make_unique<WidgetHolder>()) {}

CWnd::~CWnd() { DestroyWindow(); }

QWidget* CWnd::Widget() const { return m_holder->widget.data(); }

void CWnd::AttachWidget(QWidget* widget) { m_holder->widget = widget; }

void CWnd::DestroyWindow() {
    delete m_holder->widget.data();
    m_holder->widget = nullptr;
}

BOOL CWnd::ShowWindow(int showCommand) {
    QWidget* widget = Widget();
    if (widget == nullptr) {
        return FALSE;
    }
    const BOOL wasVisible = widget->isVisible();
    widget->setVisible(showCommand != SW_HIDE);
    return wasVisible;
}

void CWnd::UpdateWindow() {
    if (QWidget* widget = Widget(); widget != nullptr && widget->isVisible()) {
        widget->repaint();
    }
}

void CWnd::SetFont(const CFont* font, BOOL redraw) {
    QWidget* widget = Widget();
    if (widget == nullptr) {
        return;
    }
    const QFont* qtFont = font != nullptr ? font->QtFont() : nullptr;
    widget->setFont(qtFont != nullptr ? *qtFont : QFont());
    if (redraw) {
        widget->update();
    }
}

}  // namespace platform

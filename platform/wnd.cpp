#include "wnd.h"

#include "qt_bridge.h"

#include <QFont>
#include <QPointer>
#include <QWidget>

namespace platform {

const CRuntimeClass CWnd::runtimeClass = PlainClass<CWnd>("CWnd", &CCmdTarget::runtimeClass);
const MessageMap<CWnd> CWnd::messageMap{&CCmdTarget::messageMap, {}};

// Qt may delete a widget along with its parent before the window object goes; the guarded
// pointer then reads null instead of dangling.
struct CWnd::WidgetHolder {
    QPointer<QWidget> widget;
};

CWnd::CWnd() : m_holder(std::make_unique<WidgetHolder>()) {}

CWnd::~CWnd() { DestroyWindow(); }

QWidget* CWnd::Widget() const { return m_holder->widget.data(); }

void CWnd::AttachWidget(QWidget* widget) { m_holder->widget = widget; }

BOOL CWnd::IsWindow() const { return Widget() != nullptr; }

void CWnd::DestroyWindow() {
    delete m_holder->widget.data();
    m_holder->widget = nullptr;
}

void CWnd::SetWindowText(LPCTSTR text) {
    if (QWidget* widget = Widget()) {
        widget->setWindowTitle(ToQString(text));
    }
}

CString CWnd::GetWindowText() const {
    const QWidget* widget = Widget();
    return widget != nullptr ? ToCString(widget->windowTitle()) : CString();
}

BOOL CWnd::ShowWindow(int showCommand) {
    QWidget* widget = Widget();
    if (widget == nullptr) {
        return FALSE;
    }
    const BOOL wasVisible = widget->isVisible();
    switch (showCommand) {
        case SW_HIDE:
            widget->hide();
            break;
        case SW_SHOWMINIMIZED:
            widget->showMinimized();
            break;
        case SW_SHOWMAXIMIZED:
            widget->showMaximized();
            break;
        default:
            widget->show();
            break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const {
    const QWidget* widget = Widget();
    return widget != nullptr && widget->isVisible();
}

void CWnd::UpdateWindow() {
    if (QWidget* widget = Widget(); widget != nullptr && widget->isVisible()) {
        widget->repaint();
    }
}

BOOL CWnd::EnableWindow(BOOL enable) {
    QWidget* widget = Widget();
    if (widget == nullptr) {
        return FALSE;
    }
    const BOOL wasDisabled = !widget->isEnabled();
    widget->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
    const QWidget* widget = Widget();
    return widget != nullptr && widget->isEnabled();
}

void CWnd::SetFocus() {
    if (QWidget* widget = Widget()) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    m_font = font != nullptr ? static_cast<HFONT>(*font) : nullptr;
    OnFontChanged(redraw);
}

void CWnd::OnFontChanged(BOOL redraw) {
    QWidget* widget = Widget();
    if (widget == nullptr) {
        return;
    }
    // Qt copies the font, so the font object may go before the window does.
    const QFont* font = FontOf(m_font);
    widget->setFont(font != nullptr ? *font : QFont());
    if (redraw) {
        widget->update();
    }
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETFONT:
            m_font = reinterpret_cast<HFONT>(wParam);
            OnFontChanged(lParam != 0);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(m_font);
        case WM_SETTEXT:
            SetWindowText(reinterpret_cast<LPCTSTR>(lParam));
            return TRUE;
        case WM_GETTEXTLENGTH:
            return GetWindowText().GetLength();
        case WM_CLOSE:
            if (QWidget* widget = Widget()) {
                widget->close();
            }
            return 0;
        case WM_COMMAND:
            return AfxRunCommand(this, static_cast<UINT>(wParam & 0xFFFF));
        default:
            return 0;
    }
}

}  // namespace platform

#pragma once
// The window base: a command target with a Qt widget behind it. There are no window
// handles and no message pump of the layer's own: Qt's event loop is the message loop.

#include "cmd_target.h"

#include <memory>

class QWidget;

namespace platform {

class CFont;

class CWnd : public CCmdTarget {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Whether the window exists (between creation and destruction).
    BOOL IsWindow() const { return Widget() != nullptr; }
    void DestroyWindow();

    // SW_SHOW or SW_HIDE; whether the window was visible before.
    BOOL ShowWindow(int showCommand);
    // Paints the window now, rather than when the event loop next gets to it.
    void UpdateWindow();
    // The font the window shows its text in; null for the window's default font. The
    // window keeps a copy, so the font object may go first.
    void SetFont(const CFont* font, BOOL redraw = TRUE);

    // The widget behind the window, for the layer and for tests; null before creation.
    QWidget* Widget() const;

protected:
    // Adopts widget as this window's; the window deletes it when destroyed.
    void AttachWidget(QWidget* widget);

private:
    struct WidgetHolder;
    std::unique_ptr<WidgetHolder> m_holder;
};

}  // namespace platform

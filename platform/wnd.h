#pragma once
// The window base: a command target with a Qt widget behind it. There are no window
// handles and no message pump of the layer's own: Qt's event loop is the message loop,
// and the few Win32 calls the program makes are members here:
//     UpdateWindow()                         paints the window now
//     SendMessage(WM_SETFONT, font, redraw)  sets the font (same as SetFont(&font, redraw))
//     SendMessage(WM_COMMAND, id)            carries out a command on the window's route

#include "cmd_target.h"
#include "gdi.h"

#include <memory>

class QWidget;

namespace platform {

class CWnd : public CCmdTarget {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap<CWnd> messageMap;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Whether the window exists (between creation and destruction).
    BOOL IsWindow() const;

    // The window's text: a window's title, an edit control's whole text. A null text
    // is the empty text.
    virtual void SetWindowText(LPCTSTR text);
    virtual CString GetWindowText() const;
    void GetWindowText(CString& text) const { text = GetWindowText(); }

    BOOL ShowWindow(int showCommand);
    BOOL IsWindowVisible() const;
    // Paints the window now, rather than when the event loop next gets to it.
    void UpdateWindow();
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    void SetFocus();
    void DestroyWindow();

    void SetFont(CFont* font, BOOL redraw = TRUE);
    // The font last set, or null when the window shows its default font.
    HFONT GetFont() const { return m_font; }

    // WM_SETFONT (wParam: the HFONT, 0 for the default font; lParam: redraw),
    // WM_GETFONT, WM_SETTEXT (lParam: the text), WM_GETTEXTLENGTH, WM_CLOSE and
    // WM_COMMAND (wParam: the command id). Others return 0.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    CWnd* GetParent() const { return m_pParentWnd; }

    // The widget behind the window, for the layer and for tests; null before creation.
    QWidget* Widget() const;

protected:
    // Adopts widget as this window's; the window deletes it when destroyed.
    void AttachWidget(QWidget* widget);
    virtual void OnFontChanged(BOOL redraw);

    CWnd* m_pParentWnd = nullptr;

private:
    struct WidgetHolder;
    std::unique_ptr<WidgetHolder> m_holder;
    HFONT m_font = nullptr;
};

}  // namespace platform

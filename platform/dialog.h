#pragma once
// Modal dialogs built from dialog templates, with dialog data exchange.
//
// DoModal builds the dialog's window from its template (laid out in dialog units of the
// template's font), fills the controls from the members through DoDataExchange, and runs
// it. OK stores the controls back into the members and returns IDOK; Cancel, Escape and
// the close box return IDCANCEL and store nothing. The first control with WS_TABSTOP has
// the focus; Tab follows template order; Enter presses the default push button. Other
// push buttons are commands of the dialog's message map.

#include "wnd.h"

namespace platform {

class CDialog;

// The direction of one exchange: to the controls (m_bSaveAndValidate FALSE) or back into
// the members (TRUE).
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    // The control with id, or null.
    QWidget* Control(int id) const;

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
};

// An edit field's text <-> a string.
void DDX_Text(CDataExchange* dx, int id, CString& value);
// A check box <-> 0 (clear) or 1 (ticked).
void DDX_Check(CDataExchange* dx, int id, int& value);

class CDialog : public CWnd {
public:
    static const MessageMap<CDialog> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    // The template's id and the owner; with no parent the main window owns the dialog.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // IDOK or IDCANCEL (or the code given to EndDialog); -1 when the template is missing.
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    // Overridables.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* dx);

    // Runs the exchange: TRUE stores the controls into the members, FALSE fills them.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // The control with id, null when there is none (or the dialog is not open).
    QWidget* GetDlgItem(int id) const;

private:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};

}  // namespace platform

#pragma once
// Modal dialogs built from dialog templates, with dialog data exchange.
//
// DoModal builds the dialog's window from its template (laid out in dialog units of the
// template's font), fills the controls from the members through DoDataExchange, and runs
// it. OK stores the controls back into the members and returns IDOK; Cancel, Escape and
// the close box return IDCANCEL and store nothing. The first control with WS_TABSTOP has
// the focus; Tab follows template order; Enter presses the default push button.

#include "wnd.h"

namespace platform {

class CDialog;

// The direction of one exchange: to the controls (m_bSaveAndValidate FALSE) or back into
// the members (TRUE).
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    // The control with id, or null (DDX on a missing control is a programming error and
    // is reported by the exchange functions with a message).
    QWidget* Control(int id) const;

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
};

// Text of an edit field, button or static text <-> a string.
void DDX_Text(CDataExchange* dx, int id, CString& value);
// A check box <-> 0 (clear) or 1 (ticked).
void DDX_Check(CDataExchange* dx, int id, int& value);

class CDialog : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap<CDialog> messageMap;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    // The template's id and the owner; with no parent the main window owns the dialog.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // IDOK or IDCANCEL (or the code given to EndDialog); -1 when the template is missing
    // or cannot be built.
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
    void SetDlgItemText(int id, LPCTSTR text);
    CString GetDlgItemText(int id) const;

    UINT GetTemplateId() const { return m_nIDTemplate; }

    // Route: the dialog's own map (a push button's click is the command of its id).
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

protected:
    UINT m_nIDTemplate;

private:
    BOOL BuildWindow();
    int m_nModalResult = 0;
};

}  // namespace platform

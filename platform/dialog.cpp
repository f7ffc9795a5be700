#include "dialog.h"

#include "message_box.h"
#include "qt_bridge.h"
#include "resources.h"
#include "template_dialog.h"
#include "win_app.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtGlobal>

#include <exception>
#include <new>

namespace platform {

const CRuntimeClass CDialog::runtimeClass = PlainClass<CDialog>("CDialog", &CWnd::runtimeClass);
const MessageMap<CDialog> CDialog::messageMap{&CWnd::messageMap, {}};

namespace {

// A handler behind a button must not let an exception into Qt's event loop.
template <class Action>
void ReportingFailures(Action&& action) {
    try {
        action();
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Out of memory.", MB_OK | MB_ICONSTOP);
    } catch (const std::exception& error) {
        AfxMessageBox(CString("The command could not be completed:\n") + error.what(),
                      MB_OK | MB_ICONSTOP);
    }
}

}  // namespace

QWidget* CDataExchange::Control(int id) const {
    return m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(id) : nullptr;
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    QWidget* control = dx->Control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (dx->m_bSaveAndValidate) {
            value = ToCString(edit->text());
        } else {
            edit->setText(ToQString(value));
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        if (dx->m_bSaveAndValidate) {
            value = ToCString(button->text());
        } else {
            button->setText(ToQString(value));
        }
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        if (dx->m_bSaveAndValidate) {
            value = ToCString(label->text());
        } else {
            label->setText(ToQString(value));
        }
    } else {
        qWarning("DDX_Text: the dialog has no text control with id %d", id);
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    auto* box = qobject_cast<QAbstractButton*>(dx->Control(id));
    if (box == nullptr || !box->isCheckable()) {
        qWarning("DDX_Check: the dialog has no check box with id %d", id);
        return;
    }
    auto* triState = qobject_cast<QCheckBox*>(box);
    if (dx->m_bSaveAndValidate) {
        if (triState != nullptr && triState->checkState() == Qt::PartiallyChecked) {
            value = 2;
        } else {
            value = box->isChecked() ? 1 : 0;
        }
    } else if (triState != nullptr && value == 2) {
        triState->setTristate(true);
        triState->setCheckState(Qt::PartiallyChecked);
    } else {
        box->setChecked(value == 1);
    }
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId) {
    m_pParentWnd = parent;
}

CDialog::~CDialog() = default;

BOOL CDialog::BuildWindow() {
    const DialogTemplate* dialogTemplate = FindDialogResource(m_nIDTemplate);
    if (dialogTemplate == nullptr) {
        return FALSE;
    }
    CWnd* owner = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    QWidget* ownerWidget =
        owner != nullptr && owner->Widget() != nullptr ? owner->Widget()->window() : nullptr;
    TemplateDialog::Handlers handlers;
    handlers.buttonClicked = [this](int id) {
        ReportingFailures([this, id] {
            if (id == static_cast<int>(IDOK)) {
                OnOK();
            } else if (id == static_cast<int>(IDCANCEL)) {
                OnCancel();
            } else {
                AfxRunCommand(this, static_cast<UINT>(id));
            }
        });
    };
    handlers.cancelRequested = [this] { ReportingFailures([this] { OnCancel(); }); };
    AttachWidget(new TemplateDialog(*dialogTemplate, std::move(handlers), ownerWidget));
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    if (!BuildWindow()) {
        return -1;
    }
    auto* dialog = static_cast<TemplateDialog*>(Widget());
    m_nModalResult = -1;
    if (OnInitDialog()) {
        if (QWidget* first = dialog->FirstTabStop()) {
            first->setFocus(Qt::TabFocusReason);
        }
    }
    const int shown = dialog->exec();
    const int result = m_nModalResult != -1 ? m_nModalResult : shown;
    DestroyWindow();
    return result;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    if (auto* dialog = qobject_cast<QDialog*>(Widget())) {
        dialog->done(result);
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(static_cast<int>(IDOK));
}

void CDialog::OnCancel() { EndDialog(static_cast<int>(IDCANCEL)); }

void CDialog::DoDataExchange(CDataExchange* /*dx: a dialog with members exchanges them*/) {}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (Widget() == nullptr) {
        return FALSE;
    }
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

QWidget* CDialog::GetDlgItem(int id) const {
    const auto* dialog = dynamic_cast<const TemplateDialog*>(Widget());
    return dialog != nullptr ? dialog->Item(id) : nullptr;
}

void CDialog::SetDlgItemText(int id, LPCTSTR text) {
    CString value(text);
    CDataExchange exchange(this, FALSE);
    DDX_Text(&exchange, id, value);
}

CString CDialog::GetDlgItemText(int id) const {
    CString value;
    CDataExchange exchange(const_cast<CDialog*>(this), TRUE);
    DDX_Text(&exchange, id, value);
    return value;
}

BOOL CDialog::OnCmdMsg(UINT id, int code, CCmdUI* ui) { return DispatchToOwnMap(id, code, ui); }

}  // namespace platform

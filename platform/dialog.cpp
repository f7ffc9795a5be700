#include "dialog.h"

#include "message_box.h"
#include "qt_bridge.h"
#include "resources.h"
#include "template_dialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QtGlobal>

namespace platform {

const MessageMap<CDialog> CDialog::messageMap{&CCmdTarget::messageMap, {}};

QWidget* CDataExchange::Control(int id) const {
    return m_pDlgWnd != nullptr ? m_pDlgWnd->GetDlgItem(id) : nullptr;
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    auto* edit = qobject_cast<QLineEdit*>(dx->Control(id));
    if (edit == nullptr) {
        qWarning("DDX_Text: the dialog has no edit field with id %d", id);
    } else if (dx->m_bSaveAndValidate) {
        value = ToCString(edit->text());
    } else {
        edit->setText(ToQString(value));
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    auto* box = qobject_cast<QCheckBox*>(dx->Control(id));
    if (box == nullptr) {
        qWarning("DDX_Check: the dialog has no check box with id %d", id);
    } else if (dx->m_bSaveAndValidate) {
        value = box->isChecked() ? 1 : 0;
    } else {
        box->setChecked(value == 1);
    }
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
    const DialogTemplate* dialogTemplate = FindDialogResource(m_nIDTemplate);
    if (dialogTemplate == nullptr) {
        return -1;
    }
    QWidget* owner = m_pParentWnd != nullptr && m_pParentWnd->Widget() != nullptr
                         ? m_pParentWnd->Widget()->window()
                         : MainWindowWidget();
    // A button's handler must not let an exception into Qt's event loop.
    TemplateDialog::Handlers handlers;
    handlers.buttonClicked = [this](int id) {
        AfxReportingFailures([this, id] {
            if (id == static_cast<int>(IDOK)) {
                OnOK();
            } else if (id == static_cast<int>(IDCANCEL)) {
                OnCancel();
            } else {
                AfxRunCommand(this, static_cast<UINT>(id));
            }
        });
    };
    handlers.cancelRequested = [this] { AfxReportingFailures([this] { OnCancel(); }); };
    auto* dialog = new TemplateDialog(*dialogTemplate, std::move(handlers), owner);
    AttachWidget(dialog);
    if (OnInitDialog()) {
        if (QWidget* first = dialog->FirstTabStop()) {
            first->setFocus(Qt::TabFocusReason);
        }
    }
    const int result = dialog->exec();
    DestroyWindow();
    return result;
}

void CDialog::EndDialog(int result) {
    if (auto* dialog = qobject_cast<QDialog*>(Widget())) {
        dialog->done(result);
    }
}

BOOL CDialog::OnInitDialog() { return UpdateData(FALSE); }

void CDialog::OnOK() {
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

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

}  // namespace platform

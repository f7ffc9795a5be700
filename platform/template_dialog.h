#pragma once
// A Qt dialog built from a dialog template: push buttons (the default one taking Enter),
// check boxes, edit fields, static texts and icons placed in dialog units, tab order in
// template order. Buttons, Escape and the close box are handed to the CDialog, which
// decides how the dialog ends. For the layer's own sources and tests.

#include "resource_types.h"

#include <QDialog>
#include <QHash>

#include <functional>

namespace platform {

class TemplateDialog : public QDialog {
public:
    struct Handlers {
        std::function<void(int id)> buttonClicked;  // IDOK, IDCANCEL or another button
        std::function<void()> cancelRequested;      // Escape or the close box
    };

    TemplateDialog(const DialogTemplate& dialogTemplate, Handlers handlers, QWidget* parent);

    // The control with a template id, or null. With several controls of one id (static
    // texts share -1) the first.
    QWidget* Item(int id) const { return m_items.value(id, nullptr); }
    // The first control with WS_TABSTOP, or null.
    QWidget* FirstTabStop() const { return m_firstTabStop; }

    void reject() override { m_handlers.cancelRequested(); }

private:
    QWidget* CreateControl(const DialogItemTemplate& item);

    Handlers m_handlers;
    QHash<int, QWidget*> m_items;
    QWidget* m_firstTabStop = nullptr;
};

}  // namespace platform

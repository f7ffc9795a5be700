#include "template_dialog.h"

#include "dialog_layout.h"
#include "qt_bridge.h"
#include "resources.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace platform {

namespace {

// Button kinds in the low four bits of a button's style, static kinds in the low five.
constexpr UINT kButtonKindMask = 0x000F;
constexpr UINT BS_CHECKBOX = 0x0002;
constexpr UINT kStaticKindMask = 0x001F;

// The largest image of an icon resource.
QPixmap IconPicture(UINT iconId) {
    const IconResource* icon = FindIconResource(iconId);
    if (icon == nullptr || icon->images.empty()) {
        return QPixmap();
    }
    const auto largest =
        std::max_element(icon->images.begin(), icon->images.end(),
                         [](const Image16& a, const Image16& b) { return a.width < b.width; });
    return QPixmap::fromImage(ImageFromResource(*largest));
}

}  // namespace

TemplateDialog::TemplateDialog(const DialogTemplate& dialogTemplate, Handlers handlers,
                               QWidget* parent)
    : QDialog(parent), m_handlers(std::move(handlers)) {
    setWindowTitle(ToQString(dialogTemplate.caption));
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (dialogTemplate.style & WS_SYSMENU) {
        flags |= Qt::WindowCloseButtonHint;
    }
    setWindowFlags(flags);

    const QFont font = DialogTemplateFont(dialogTemplate.faceName, dialogTemplate.pointSize);
    setFont(font);
    const DialogBaseUnits units = BaseUnitsOf(font);
    setFixedSize(DialogUnitsToPixels(0, 0, dialogTemplate.cx, dialogTemplate.cy, units).size());

    QWidget* previousTabStop = nullptr;
    for (const DialogItemTemplate& item : dialogTemplate.items) {
        QWidget* control = CreateControl(item);
        control->setGeometry(DialogUnitsToPixels(item.x, item.y, item.cx, item.cy, units));
        if (auto* label = qobject_cast<QLabel*>(control);
            label != nullptr && !label->pixmap().isNull()) {
            // An icon control takes the size of its icon, whatever the template says.
            control->resize(label->pixmap().size());
        }
        control->setProperty("dialogItemId", item.id);
        control->setObjectName(QStringLiteral("dlgItem%1").arg(item.id));
        control->setVisible((item.style & WS_VISIBLE) != 0);
        if (!m_items.contains(item.id)) {
            m_items.insert(item.id, control);
        }
        if (item.controlClass == ControlClass::Static) {
            control->setFocusPolicy(Qt::NoFocus);
        } else if (item.style & WS_TABSTOP) {
            control->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, control);
            } else {
                m_firstTabStop = control;
            }
            previousTabStop = control;
        } else {
            control->setFocusPolicy(Qt::ClickFocus);
        }
    }
}

QWidget* TemplateDialog::CreateControl(const DialogItemTemplate& item) {
    const QString text = ToQString(item.text);
    switch (item.controlClass) {
        case ControlClass::Button: {
            const UINT kind = item.style & kButtonKindMask;
            if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX) {
                return new QCheckBox(text, this);
            }
            auto* button = new QPushButton(text, this);
            button->setDefault(kind == BS_DEFPUSHBUTTON);
            connect(button, &QPushButton::clicked, this,
                    [this, id = item.id] { m_handlers.buttonClicked(id); });
            return button;
        }
        case ControlClass::Edit: {
            auto* edit = new QLineEdit(text, this);
            edit->setFrame((item.style & WS_BORDER) != 0);
            return edit;
        }
        case ControlClass::Static:
            break;
    }
    auto* label = new QLabel(this);
    if ((item.style & kStaticKindMask) == SS_ICON) {
        label->setPixmap(IconPicture(item.iconId));
        return label;
    }
    // Left-aligned plain text, wrapped within the control; the program's texts carry no
    // "&" mnemonics.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    label->setText(text);
    return label;
}

}  // namespace platform

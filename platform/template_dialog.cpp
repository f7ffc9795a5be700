#include "template_dialog.h"

#include "dialog_layout.h"
#include "framework_ids.h"
#include "qt_bridge.h"
#include "resources.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>

namespace platform {

namespace {

// Button kinds in the low four bits of a button's style.
constexpr UINT kButtonKindMask = 0x000F;
constexpr UINT BS_CHECKBOX = 0x0002;
constexpr UINT BS_RADIOBUTTON = 0x0004;
constexpr UINT BS_GROUPBOX = 0x0007;
constexpr UINT BS_AUTORADIOBUTTON = 0x0009;
constexpr UINT SS_TYPEMASK = 0x001F;
constexpr UINT SS_CENTER = 0x0001;
constexpr UINT SS_RIGHT = 0x0002;
constexpr UINT ES_READONLY_STYLE = 0x0800;
constexpr UINT ES_PASSWORD = 0x0020;
constexpr UINT WS_DISABLED_STYLE = 0x08000000;

// A static text's "&x" underlines x (and hands Alt+x to the next control); "&&" is "&".
bool HasMnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&')) {
            if (text.at(i + 1) != QLatin1Char('&')) {
                return true;
            }
            ++i;
        }
    }
    return false;
}

QString WithoutPrefixes(const QString& text) {
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) {
            ++i;
        }
        result.append(text.at(i));
    }
    return result;
}

QPixmap IconPicture(UINT iconId) {
    const IconResource* icon = FindIconResource(iconId);
    if (icon == nullptr || icon->images.empty()) {
        return QPixmap();
    }
    const Image16* largest = &icon->images.front();
    for (const Image16& image : icon->images) {
        if (image.width > largest->width) {
            largest = &image;
        }
    }
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
    const QRect client = DialogUnitsToPixels(0, 0, dialogTemplate.cx, dialogTemplate.cy, units);
    setFixedSize(client.size());

    QWidget* previousTabStop = nullptr;
    QLabel* labelAwaitingBuddy = nullptr;
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
        control->setEnabled((item.style & WS_DISABLED_STYLE) == 0);
        if (!m_items.contains(item.id)) {
            m_items.insert(item.id, control);
        }

        const bool isStatic = item.controlClass == ControlClass::Static;
        if (isStatic) {
            control->setFocusPolicy(Qt::NoFocus);
            auto* label = static_cast<QLabel*>(control);
            if (HasMnemonic(label->text())) {
                labelAwaitingBuddy = label;
            }
            continue;
        }
        if (item.style & WS_TABSTOP) {
            control->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, control);
            } else {
                m_firstTabStop = control;
            }
            previousTabStop = control;
            if (labelAwaitingBuddy != nullptr) {
                labelAwaitingBuddy->setBuddy(control);
                labelAwaitingBuddy = nullptr;
            }
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
                auto* box = new QCheckBox(text, this);
                return box;
            }
            if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) {
                return new QRadioButton(text, this);
            }
            if (kind == BS_GROUPBOX) {
                return new QGroupBox(text, this);
            }
            auto* button = new QPushButton(text, this);
            button->setDefault(kind == BS_DEFPUSHBUTTON);
            const int id = item.id;
            connect(button, &QPushButton::clicked, this, [this, id] {
                if (m_handlers.buttonClicked) {
                    m_handlers.buttonClicked(id);
                }
            });
            return button;
        }
        case ControlClass::Edit: {
            auto* edit = new QLineEdit(this);
            edit->setFrame((item.style & WS_BORDER) != 0);
            edit->setReadOnly((item.style & ES_READONLY_STYLE) != 0);
            if (item.style & ES_PASSWORD) {
                edit->setEchoMode(QLineEdit::Password);
            }
            if (!text.isEmpty()) {
                edit->setText(text);
            }
            return edit;
        }
        case ControlClass::Static:
        default: {
            auto* label = new QLabel(this);
            if ((item.style & SS_TYPEMASK) == SS_ICON) {
                label->setPixmap(IconPicture(item.iconId));
                return label;
            }
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            if (item.style & SS_NOPREFIX) {
                label->setText(text);
            } else if (HasMnemonic(text)) {
                label->setText(text);  // QLabel shows "&x" as a mnemonic once it has a buddy
            } else {
                label->setText(WithoutPrefixes(text));
            }
            const UINT kind = item.style & SS_TYPEMASK;
            Qt::Alignment alignment = Qt::AlignTop;
            alignment |= kind == SS_CENTER ? Qt::AlignHCenter
                                           : (kind == SS_RIGHT ? Qt::AlignRight : Qt::AlignLeft);
            label->setAlignment(alignment);
            return label;
        }
    }
}

QWidget* TemplateDialog::Item(int id) const { return m_items.value(id, nullptr); }

void TemplateDialog::reject() {
    // Escape and the close box: the dialog's OnCancel decides, as the Cancel button's does.
    if (m_handlers.cancelRequested) {
        m_handlers.cancelRequested();
    } else {
        QDialog::reject();
    }
}

}  // namespace platform

#include "gdi.h"

#include "edit_control.h"
#include "qt_bridge.h"

#include <QFont>
#include <QFontInfo>
#include <QPaintDevice>
#include <QPainter>

namespace platform {

// What a font handle points at.
struct FontObject {
    QFont font;
};

const CRuntimeClass CGdiObject::runtimeClass =
    PlainClass<CGdiObject>("CGdiObject", &CObject::runtimeClass);
const CRuntimeClass CFont::runtimeClass = PlainClass<CFont>("CFont", &CGdiObject::runtimeClass);
const CRuntimeClass CDC::runtimeClass = PlainClass<CDC>("CDC", &CObject::runtimeClass);

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) {
        return FALSE;
    }
    delete static_cast<FontObject*>(m_hObject);
    m_hObject = nullptr;
    return TRUE;
}

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* /*dc: screen and printer
                                                                   share point sizes in Qt*/) {
    if (pointSize <= 0) {
        return FALSE;
    }
    DeleteObject();
    m_hObject = new FontObject{MakePointFont(pointSize, ToQString(faceName))};
    return TRUE;
}

CString CFont::GetResolvedFaceName() const {
    const QFont* font = FontOf(*this);
    if (font == nullptr) {
        return CString();
    }
    // Qt names the foundry where two foundries offer one family: "Nimbus Mono PS [urw]".
    QString family = QFontInfo(*font).family();
    if (const qsizetype foundry = family.indexOf(QStringLiteral(" [")); foundry > 0) {
        family.truncate(foundry);
    }
    return ToCString(family);
}

int CFont::GetPointSize() const {
    const QFont* font = FontOf(*this);
    return font != nullptr ? static_cast<int>(font->pointSizeF() * 10.0 + 0.5) : 0;
}

const QFont* FontOf(HFONT font) { return font != nullptr ? &font->font : nullptr; }

CDC::CDC(QPainter* painter) : m_painter(painter) {}

CDC::CDC(QPaintDevice* printer) : m_device(printer) { m_bPrinting = TRUE; }

CDC::~CDC() = default;

QPainter* CDC::Painter() {
    if (m_painter == nullptr && m_device != nullptr) {
        m_ownPainter = std::make_unique<QPainter>(m_device);
        m_painter = m_ownPainter.get();
    }
    return m_painter;
}

}  // namespace platform

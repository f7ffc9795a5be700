#include "gdi.h"

#include "qt_bridge.h"

#include <QFont>
#include <QFontDatabase>

#include <fontconfig/fontconfig.h>

namespace platform {
namespace {

// The family fontconfig puts in the place of a face name, as `fc-match` names it. Qt's
// own fallback for a face it does not know may prefer the default face of the style hint
// (DejaVu Sans Mono for a typewriter face) over fontconfig's alias.
QString SubstitutedFamily(const QString& face) {
    QString family = face;
    FcPattern* pattern = FcPatternCreate();
    const QByteArray name = face.toUtf8();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* matched = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &matched) == FcResultMatch &&
            QFontDatabase::hasFamily(QString::fromUtf8(reinterpret_cast<char*>(matched)))) {
            family = QString::fromUtf8(reinterpret_cast<char*>(matched));
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return family;
}

}  // namespace

QFont MakePointFont(int tenthsOfPoint, const QString& faceName) {
    QFont font(SubstitutedFamily(faceName));
    font.setPointSizeF(tenthsOfPoint / 10.0);
    if (faceName.contains(QStringLiteral("courier"), Qt::CaseInsensitive)) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    }
    return font;
}

CFont::CFont() = default;

CFont::~CFont() = default;

BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* /*dc*/) {
    if (pointSize <= 0) {
        return FALSE;
    }
    m_font = std::make_unique<QFont>(MakePointFont(pointSize, ToQString(faceName)));
    return TRUE;
}

BOOL CFont::DeleteObject() {
    const BOOL held = m_font != nullptr;
    m_font.reset();
    return held;
}

}  // namespace platform

#include "dialog_layout.h"

#include <QFontDatabase>
#include <QFontMetrics>

#include <cmath>

namespace platform {

QFont DialogTemplateFont(const char* faceName, int pointSize) {
    const QString face = QString::fromLatin1(faceName != nullptr ? faceName : "");
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (!face.isEmpty() && face.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) != 0) {
        font.setFamily(face);
    }
    if (pointSize > 0) {
        font.setPointSize(pointSize);
    }
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The platform's own rounding of width / 52.
    return DialogBaseUnits{(width / 26 + 1) / 2, metrics.height()};
}

int MulDiv(int a, int b, int c) {
    // Exact in a double for the sizes dialog units measure; lround rounds half away from zero.
    return c == 0 ? -1 : static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

QRect DialogUnitsToPixels(int x, int y, int cx, int cy, DialogBaseUnits units) {
    return QRect(MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(cx, units.x, 4),
                 MulDiv(cy, units.y, 8));
}

}  // namespace platform

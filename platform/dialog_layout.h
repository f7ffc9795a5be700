#pragma once
// Dialog units: a dialog template measures its controls in units of its font, a quarter of
// the average character width across and an eighth of the character height down. For the
// layer's own sources and tests.

#include <QFont>
#include <QRect>

namespace platform {

struct DialogBaseUnits {
    int x;  // average width of "A".."Z" and "a".."z", rounded
    int y;  // the font's height
};

// The template's font; "MS Sans Serif", which Linux lacks, is the desktop's sans-serif face.
QFont DialogTemplateFont(const char* faceName, int pointSize);

DialogBaseUnits BaseUnitsOf(const QFont& font);

// a * b / c, rounded half away from zero, as the platform's MulDiv.
int MulDiv(int a, int b, int c);

// A rectangle in dialog units, in pixels.
QRect DialogUnitsToPixels(int x, int y, int cx, int cy, DialogBaseUnits units);

}  // namespace platform

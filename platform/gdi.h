#pragma once
// Fonts and device contexts: a font object holds a Qt font; a device context wraps the
// painter of the page being drawn.

#include "cstring.h"

#include <memory>

class QFont;
class QPainter;
class QString;

namespace platform {

// A font of tenthsOfPoint tenths of a point in the named face, as CFont makes it: a face
// that fontconfig knows only as an alias ("COURIER") becomes the face it substitutes
// ("Nimbus Mono PS"); a Courier keeps a fixed pitch should the alias be missing. For the
// layer and its tests.
QFont MakePointFont(int tenthsOfPoint, const QString& faceName);

class CDC;

class CFont {
public:
    CFont();
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // MakePointFont(pointSize, faceName), sized for the screen (Qt gives screen and
    // printer the same point sizes, so dc changes nothing); FALSE for a size of zero or
    // less. Any font held before is released first.
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);
    // Releases the font it holds; nonzero when there was one.
    BOOL DeleteObject();

    // The Qt font, or null when the object holds none. For the layer.
    const QFont* QtFont() const { return m_font.get(); }

private:
    std::unique_ptr<QFont> m_font;
};

// A device context: the painter of the screen or printer page being drawn.
class CDC {
public:
    explicit CDC(QPainter& painter) : m_painter(painter) {}
    QPainter& Painter() const { return m_painter; }

private:
    QPainter& m_painter;
};

}  // namespace platform

#pragma once
// Fonts and device contexts. A font object holds a Qt font behind an opaque handle, so the
// program can pass it around the way it passed font handles; a device context wraps the
// painter of the screen or printer page being drawn.

#include "cstring.h"
#include "object.h"

#include <memory>

class QFont;
class QPainter;
class QPaintDevice;

namespace platform {

// The opaque handle of a font object; null for none.
struct FontObject;
using HFONT = FontObject*;
using HGDIOBJ = void*;

class CGdiObject : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Releases the object it holds; nonzero when there was one.
    BOOL DeleteObject();
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

protected:
    HGDIOBJ m_hObject = nullptr;
};

class CDC;

class CFont : public CGdiObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    // A font of pointSize tenths of a point in the named face, sized for the screen when
    // dc is null. A face known only as a fontconfig alias ("COURIER") resolves to the face
    // fontconfig puts in its place. Any font held before is released first.
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc = nullptr);

    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    // The face that the font resolved to ("Nimbus Mono PS" for "COURIER"); empty when the
    // object holds no font.
    CString GetResolvedFaceName() const;
    // Size in tenths of a point; 0 when the object holds no font.
    int GetPointSize() const;
};

// A device context: the painter of a screen or printer page. A printer's context starts
// its painter on first use, so a view that prints through its own routine (the edit view)
// can hand the printer to it instead.
class CDC : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    explicit CDC(QPainter* painter = nullptr);
    explicit CDC(QPaintDevice* printer);
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    BOOL IsPrinting() const { return m_bPrinting; }
    // The painter; null when the context has neither painter nor device.
    QPainter* Painter();
    // The device a printer context was made for (a QPrinter), else null.
    QPaintDevice* Device() const { return m_device; }

    BOOL m_bPrinting = FALSE;

private:
    QPainter* m_painter = nullptr;
    QPaintDevice* m_device = nullptr;
    std::unique_ptr<QPainter> m_ownPainter;
};

// The Qt font that a font handle stands for, or null for none. For the layer's widgets.
const QFont* FontOf(HFONT font);

}  // namespace platform

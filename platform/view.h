#pragma once
// The view: the frame's client window, attached to one document. Commands reach the view
// first and go on to its document. ID_FILE_PRINT asks for the print options first,
// ID_FILE_PRINT_DIRECT prints at once to the current printer, and Print Preview shows the
// pages that would print.

#include "gdi.h"
#include "wnd.h"

class QPrinter;

namespace platform {

class CDocument;
class CFrameWnd;

class CView : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Creates the view's window as the frame's client, attached to document; FALSE when
    // PreCreateWindow refuses.
    BOOL Create(CDocument* document);

    // Route: the view's own map, then its document's.
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

    // Overridables.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void OnInitialUpdate();
    // Draws the view's contents: on a printed page, for a view that has no printing of
    // its own.
    virtual void OnDraw(CDC* dc) = 0;
    // The template replaced the document's contents (New, Open), before OnInitialUpdate.
    virtual void OnDocumentReplaced() {}

    // Standard commands: ID_FILE_PRINT and ID_FILE_PRINT_DIRECT (one handler, telling
    // them apart by the command id), ID_FILE_PRINT_PREVIEW.
    void OnFilePrint();
    void OnFilePrintPreview();

    // Prints the document, asking for the options first unless direct; FALSE when the
    // user cancelled or the printing failed (reported).
    BOOL Print(BOOL direct);

protected:
    CView() = default;
    // The widget to create as the view's window; the edit view gives its edit control.
    virtual QWidget* CreateViewWidget(const CREATESTRUCT& cs) = 0;
    // Prints every page to printer; false when that failed (reported unless preview).
    virtual bool PrintTo(QPrinter& printer, bool preview);

private:
    CDocument* m_pDocument = nullptr;
};

}  // namespace platform

#pragma once
// The view: the frame's client window, attached to one document. Commands reach the view
// first and go on to its document. Printing runs the standard sequence: OnPreparePrinting
// (which asks for the options unless printing directly), OnBeginPrinting, OnPrint for each
// page, OnEndPrinting. ID_FILE_PRINT asks with the print dialog, ID_FILE_PRINT_DIRECT prints
// at once to the current printer; Print Preview shows the same pages.

#include "gdi.h"
#include "wnd.h"

namespace platform {

class CDocument;
class CFrameWnd;

class CPrintInfo {
public:
    BOOL m_bDirect = FALSE;   // print without asking
    BOOL m_bPreview = FALSE;  // drawing the preview's pages
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    CRect m_rectDraw;  // the printable area of the page, in device pixels

    void SetMinPage(UINT page) { m_nMinPage = page; }
    void SetMaxPage(UINT page) { m_nMaxPage = page; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};

class CView : public CWnd {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap<CView> messageMap;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    // Creates the view's window as the frame's client; FALSE when PreCreateWindow refuses.
    virtual BOOL Create(CFrameWnd* frame, CDocument* document);

    // Route: the view's own map, then its document's.
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override;

    // Overridables.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void OnInitialUpdate();
    virtual void OnDraw(CDC* dc) = 0;
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(CDC* dc, CPrintInfo* info);
    virtual void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr);
    virtual void OnPrint(CDC* dc, CPrintInfo* info);
    virtual void OnEndPrinting(CDC* dc, CPrintInfo* info);
    // Called by the template when its document's contents were replaced by a new or opened
    // document, before OnInitialUpdate.
    virtual void OnDocumentReplaced() {}

    // Standard commands: ID_FILE_PRINT and ID_FILE_PRINT_DIRECT (one handler, telling
    // them apart by the command id), ID_FILE_PRINT_PREVIEW.
    void OnFilePrint();
    void OnFilePrintPreview();

    // The print dialog for info (skipped when info->m_bDirect); FALSE when cancelled or
    // when there is no printer to print to (reported).
    BOOL DoPreparePrinting(CPrintInfo* info);

    CDocument* m_pDocument = nullptr;

protected:
    CView();
    // The widget to create as the view's window; the edit view gives its edit control.
    virtual QWidget* CreateViewWidget(const CREATESTRUCT& cs);

private:
    // Runs the printing sequence on the print job in info; FALSE when it failed (reported).
    BOOL RunPrintJob(CPrintInfo& info);

    friend class PrintJobRunner;
};

}  // namespace platform

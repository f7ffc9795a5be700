#include "doc_template.h"

#include "document.h"
#include "frame_wnd.h"
#include "message_box.h"
#include "view.h"

namespace platform {

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
                                       const CRuntimeClass* frameClass,
                                       const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId),
      m_pDocClass(documentClass),
      m_pFrameClass(frameClass),
      m_pViewClass(viewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() { CloseAllDocuments(); }

bool CSingleDocTemplate::CreateDocumentAndFrame() {
    CObject* documentObject = m_pDocClass != nullptr ? m_pDocClass->CreateObject() : nullptr;
    CObject* frameObject = m_pFrameClass != nullptr ? m_pFrameClass->CreateObject() : nullptr;
    auto* document = dynamic_cast<CDocument*>(documentObject);
    auto* frame = dynamic_cast<CFrameWnd*>(frameObject);
    CCreateContext context{m_pViewClass, document};
    if (document == nullptr || frame == nullptr || !frame->LoadFrame(m_nIDResource, &context)) {
        // The frame goes first: its view detaches from the document.
        delete frameObject;
        delete documentObject;
        AfxMessageBox("Failed to create empty document.", MB_OK | MB_ICONSTOP);
        return false;
    }
    m_pOnlyDoc = document;
    m_pFrame = frame;
    return true;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR path, BOOL makeVisible) {
    const bool created = m_pOnlyDoc == nullptr;
    if (created) {
        if (!CreateDocumentAndFrame()) {
            return nullptr;
        }
    } else if (!m_pOnlyDoc->SaveModified()) {
        return nullptr;
    }

    CDocument* document = m_pOnlyDoc;
    const bool ok = path == nullptr ? document->OnNewDocument() != FALSE
                                    : document->OnOpenDocument(path) != FALSE;
    if (!ok) {
        if (created) {
            CloseAllDocuments();
        }
        if (path == nullptr) {
            AfxMessageBox("Failed to create empty document.", MB_OK | MB_ICONSTOP);
        }
        return nullptr;
    }
    if (path == nullptr) {
        document->SetTitle("Untitled");
    } else {
        document->SetPathName(path);
    }
    if (CView* view = document->GetFirstView()) {
        view->OnDocumentReplaced();
        view->OnInitialUpdate();
    }
    // A new or opened document starts clean, whatever its loading did to the view.
    document->SetModifiedFlag(FALSE);
    m_pFrame->OnUpdateFrameTitle();
    if (makeVisible) {
        m_pFrame->ShowWindow(SW_SHOW);
    }
    return document;
}

void CSingleDocTemplate::CloseAllDocuments() {
    delete m_pFrame;
    m_pFrame = nullptr;
    delete m_pOnlyDoc;
    m_pOnlyDoc = nullptr;
}

}  // namespace platform

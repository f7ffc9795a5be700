#include "doc_template.h"

#include "document.h"
#include "frame_wnd.h"
#include "message_box.h"
#include "resources.h"
#include "view.h"
#include "win_app.h"

namespace platform {

const CRuntimeClass CDocTemplate::runtimeClass =
    PlainClass<CDocTemplate>("CDocTemplate", &CCmdTarget::runtimeClass);
const CRuntimeClass CSingleDocTemplate::runtimeClass =
    PlainClass<CSingleDocTemplate>("CSingleDocTemplate", &CDocTemplate::runtimeClass);

namespace {

constexpr const char* kUntitled = "Untitled";

}  // namespace

CDocTemplate::CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
                           const CRuntimeClass* frameClass, const CRuntimeClass* viewClass)
    : m_nIDResource(resourceId),
      m_pDocClass(documentClass),
      m_pFrameClass(frameClass),
      m_pViewClass(viewClass) {}

CDocTemplate::~CDocTemplate() = default;

BOOL CDocTemplate::GetDocString(CString& field, DocStringIndex index) const {
    field.Empty();
    const CString whole(FindStringResource(m_nIDResource));
    if (whole.IsEmpty()) {
        return FALSE;
    }
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start = whole.Find('\n', start);
        if (start < 0) {
            return FALSE;
        }
        ++start;
    }
    const int end = whole.Find('\n', start);
    field = end < 0 ? whole.Mid(start) : whole.Mid(start, end - start);
    return TRUE;
}

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
                                       const CRuntimeClass* frameClass,
                                       const CRuntimeClass* viewClass)
    : CDocTemplate(resourceId, documentClass, frameClass, viewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() { CloseAllDocuments(); }

BOOL CSingleDocTemplate::CreateDocumentAndFrame() {
    CObject* documentObject = m_pDocClass != nullptr ? m_pDocClass->CreateObject() : nullptr;
    auto* document = dynamic_cast<CDocument*>(documentObject);
    CObject* frameObject = m_pFrameClass != nullptr ? m_pFrameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(frameObject);
    if (document == nullptr || frame == nullptr) {
        delete documentObject;
        delete frameObject;
        AfxMessageBox("Failed to create empty document.", MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    document->m_pDocTemplate = this;
    CCreateContext context{m_pViewClass, document};
    if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context)) {
        delete frame;
        delete document;
        AfxMessageBox("Failed to create empty document.", MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    m_pOnlyDoc = document;
    m_pFrame = frame;
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == nullptr) {
        app->m_pMainWnd = frame;
    }
    return TRUE;
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
        document->SetTitle(kUntitled);
    } else {
        document->SetPathName(path);
    }
    // A new or opened document starts clean, whatever its loading did to the views.
    document->SetModifiedFlag(FALSE);
    InitialUpdateFrame(makeVisible);
    return document;
}

void CSingleDocTemplate::InitialUpdateFrame(BOOL makeVisible) {
    POSITION position = m_pOnlyDoc->GetFirstViewPosition();
    while (position != nullptr) {
        CView* view = m_pOnlyDoc->GetNextView(position);
        view->OnDocumentReplaced();
        view->OnInitialUpdate();
    }
    m_pOnlyDoc->SetModifiedFlag(FALSE);
    m_pFrame->OnUpdateFrameTitle(TRUE);
    if (makeVisible) {
        m_pFrame->ShowWindow(SW_SHOW);
    }
}

BOOL CSingleDocTemplate::SaveAllModified() {
    return m_pOnlyDoc == nullptr || m_pOnlyDoc->SaveModified();
}

void CSingleDocTemplate::CloseAllDocuments() {
    if (m_pOnlyDoc != nullptr) {
        m_pOnlyDoc->OnCloseDocument();
    }
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == m_pFrame) {
        app->m_pMainWnd = nullptr;
    }
    delete m_pFrame;
    m_pFrame = nullptr;
    delete m_pOnlyDoc;
    m_pOnlyDoc = nullptr;
}

}  // namespace platform

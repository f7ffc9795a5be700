#pragma once
// The single-document template: the classes of a document, its frame and its view under
// one resource id. It creates one document, one frame and one view on the first request
// and reuses them for every New and Open after it; OnNewDocument, or the loading
// Serialize, runs before the view's OnInitialUpdate.

#include "cmd_target.h"

namespace platform {

class CDocument;
class CFrameWnd;

class CSingleDocTemplate {
public:
    CSingleDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
                       const CRuntimeClass* frameClass, const CRuntimeClass* viewClass);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // A new document (path null) or the named file, its frame shown unless makeVisible is
    // FALSE; null when the request failed (reported) or the user cancelled it.
    CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE);
    // The frame of the document; null before the first request succeeded.
    CFrameWnd* GetFrame() const { return m_pFrame; }
    void CloseAllDocuments();

private:
    bool CreateDocumentAndFrame();

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
    CDocument* m_pOnlyDoc = nullptr;
    CFrameWnd* m_pFrame = nullptr;
};

}  // namespace platform

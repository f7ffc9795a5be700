#pragma once
// Document templates: the classes of a document, its frame and its view under one resource
// id. The single-document template creates one document, one frame and one view on the
// first request and reuses them for every New and Open after it; OnNewDocument, or the
// loading Serialize, runs before the view's OnInitialUpdate.

#include "cmd_target.h"

namespace platform {

class CDocument;
class CFrameWnd;
class CView;

// What a frame needs to create its view.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
};

class CDocTemplate : public CCmdTarget {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    ~CDocTemplate() override;

    // A new document (path null) or the named file; null when the request failed or the
    // user cancelled it (the failure has been reported).
    virtual CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) = 0;
    // Asks to save each modified document; FALSE when the user cancelled.
    virtual BOOL SaveAllModified() = 0;
    virtual void CloseAllDocuments() = 0;
    virtual CDocument* GetOpenDocument() const = 0;

    UINT GetResourceId() const { return m_nIDResource; }
    // A field of the document string (string resource of the template's id), fields
    // separated by "\n": windowTitle, docName, fileNewName, filterName, filterExt,
    // regFileTypeId, regFileTypeName.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    BOOL GetDocString(CString& field, DocStringIndex index) const;

protected:
    CDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
                 const CRuntimeClass* frameClass, const CRuntimeClass* viewClass);

    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CSingleDocTemplate(UINT resourceId, const CRuntimeClass* documentClass,
                       const CRuntimeClass* frameClass, const CRuntimeClass* viewClass);
    ~CSingleDocTemplate() override;

    CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE) override;
    BOOL SaveAllModified() override;
    void CloseAllDocuments() override;
    CDocument* GetOpenDocument() const override { return m_pOnlyDoc; }
    CFrameWnd* GetFrame() const { return m_pFrame; }

private:
    BOOL CreateDocumentAndFrame();
    void InitialUpdateFrame(BOOL makeVisible);

    CDocument* m_pOnlyDoc = nullptr;
    CFrameWnd* m_pFrame = nullptr;
};

}  // namespace platform

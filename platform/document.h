#pragma once
// The document: its title, path and modified flag, its views, and the standard file
// commands Save (ID_FILE_SAVE) and Save As (ID_FILE_SAVE_AS) in its message map.
//
// Files go through an archive of raw bytes: opening reads the whole file (refusing one
// above the size limit, with nothing changed) and hands it to Serialize; saving collects
// Serialize's bytes and writes them atomically, so a failed save leaves the old file whole
// and the document still modified.

#include "archive.h"
#include "cmd_target.h"

#include <memory>
#include <vector>

namespace platform {

class CView;
class CDocTemplate;

class CDocument : public CCmdTarget {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap<CDocument> messageMap;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    CDocument();
    ~CDocument() override;

    // Title: the file's name without its folder, "Untitled" for a new document.
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR title);
    // The file's full path, as the operating system spells it; empty for a new document.
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR path, BOOL addToRecentFiles = TRUE);

    virtual BOOL IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(BOOL modified = TRUE);

    // Views, in the order they were attached.
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& position) const;
    void AddView(CView* view);
    void RemoveView(CView* view);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    // Overridables.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR path);
    virtual BOOL OnSaveDocument(LPCTSTR path);
    virtual void DeleteContents() {}
    virtual void Serialize(CArchive& archive);
    // Asks whether to save a modified document: Yes saves, No goes on, Cancel (or a
    // failed or cancelled save) returns FALSE, which stops the request that asked.
    virtual BOOL SaveModified();
    virtual void OnCloseDocument();

    // Saving: to path, or, with a null path, to a name the user chooses.
    virtual BOOL DoSave(LPCTSTR path, BOOL replace = TRUE);
    BOOL DoFileSave();

    // Standard commands.
    void OnFileSave();
    void OnFileSaveAs();

    // Sets the frame titles of the document's views from its title.
    void UpdateFrameCounts();

    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;

private:
    std::vector<CView*> m_views;
};

}  // namespace platform

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

#include <vector>

class QString;

namespace platform {

class CView;

class CDocument : public CCmdTarget {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap<CDocument> messageMap;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    // Title: the file's name without its folder, "Untitled" for a new document.
    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(LPCTSTR title) { m_strTitle = title; }
    // The file's full path, as the operating system spells it; empty for a new document.
    const CString& GetPathName() const { return m_strPathName; }
    // Makes path (absolute) the document's file and title and adds it to the recent files.
    void SetPathName(LPCTSTR path);

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified != FALSE; }

    // Views, in the order they were attached; the first is null while there is none.
    CView* GetFirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    void AddView(CView* view);
    void RemoveView(CView* view);

    // Overridables.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR path);
    virtual BOOL OnSaveDocument(LPCTSTR path);
    virtual void Serialize(CArchive& archive);
    // Asks whether to save a modified document: Yes saves, No goes on, Cancel (or a
    // failed or cancelled save) returns FALSE, which stops the request that asked.
    virtual BOOL SaveModified();

    // Saving: to path, or, with a null path, to a name the user chooses; the document then
    // takes the new name.
    BOOL DoSave(LPCTSTR path);
    BOOL DoFileSave();

    // Standard commands.
    void OnFileSave();
    void OnFileSaveAs();

private:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    std::vector<CView*> m_views;
};

// The title a document shows, in Unicode: a file's name keeps letters that Windows-1252
// cannot hold. For the layer.
QString DisplayTitle(const CDocument& document);

}  // namespace platform

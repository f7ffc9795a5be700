#include "document.h"

#include "message_box.h"
#include "qt_bridge.h"
#include "text_file.h"

#include <QFileDialog>
#include <QFileInfo>

namespace platform {

const CRuntimeClass CDocument::runtimeClass{"CDocument", nullptr, &CCmdTarget::runtimeClass};
const MessageMap<CDocument> CDocument::messageMap{&CCmdTarget::messageMap,
                                                  {
                                                      {ID_FILE_SAVE, &CDocument::OnFileSave},
                                                      {ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs},
                                                  }};

QString DisplayTitle(const CDocument& document) {
    const QString name = QFileInfo(PathToQt(document.GetPathName())).fileName();
    if (!name.isEmpty() && document.GetTitle() == ToCString(name)) {
        return name;
    }
    return ToQString(document.GetTitle());
}

void CDocument::SetPathName(LPCTSTR path) {
    const QFileInfo file(PathToQt(path));
    m_strPathName = PathFromQt(file.absoluteFilePath());
    SetTitle(ToCString(file.fileName()));
    if (CWinThread* thread = AfxGetThread()) {
        thread->AddToRecentFileList(m_strPathName);
    }
}

void CDocument::AddView(CView* view) { m_views.push_back(view); }

void CDocument::RemoveView(CView* view) { std::erase(m_views, view); }

namespace {

// Runs the document's Serialize; false when the user cancelled (the view already asked)
// or the archive failed, which is reported here.
bool SerializeReportingErrors(CDocument& document, CArchive& archive) {
    try {
        document.Serialize(archive);
    } catch (const CUserException&) {
        return false;
    } catch (const CArchiveException& error) {
        AfxMessageBox(error.m_strMessage, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

}  // namespace

BOOL CDocument::OnNewDocument() {
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR path) {
    // The whole file is read (and checked against the size limit) before anything of the
    // current document changes, so a refused file leaves everything as it was.
    LoadedTextFile file = LoadTextFile(PathToQt(path));
    if (!file.ok()) {
        ShowMessageBox(file.error, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    CArchive archive(CArchive::load, std::move(file.bytes));
    if (!SerializeReportingErrors(*this, archive)) {
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR path) {
    CArchive archive(CArchive::store);
    if (!SerializeReportingErrors(*this, archive)) {
        return FALSE;
    }
    const SavedTextFile saved = SaveTextFileAtomically(PathToQt(path), archive.StoredBytes());
    if (!saved.ok()) {
        ShowMessageBox(saved.error, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::Serialize(CArchive& /*archive: a document with contents overrides this*/) {}

BOOL CDocument::SaveModified() {
    if (!IsModified()) {
        return TRUE;
    }
    switch (ShowMessageBox(QStringLiteral("Save changes to %1?").arg(DisplayTitle(*this)),
                           MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDCANCEL:
            return FALSE;
        case IDYES:
            return DoFileSave();
        default:
            return TRUE;
    }
}

BOOL CDocument::DoSave(LPCTSTR path) {
    QString target = PathToQt(path);
    if (target.isEmpty()) {
        const QString current = PathToQt(m_strPathName);
        const QString suggested = current.isEmpty() ? DisplayTitle(*this) : current;
        if (const UserPrompts& prompts = GetUserPrompts(); prompts.saveFileName) {
            target = PathToQt(prompts.saveFileName(PathFromQt(suggested)));
        } else {
            target = QFileDialog::getSaveFileName(MainWindowWidget(), QStringLiteral("Save As"),
                                                  suggested);
        }
        if (target.isEmpty()) {
            return FALSE;
        }
    }
    const CString targetPath = PathFromQt(target);
    if (!OnSaveDocument(targetPath)) {
        return FALSE;
    }
    SetPathName(targetPath);
    return TRUE;
}

BOOL CDocument::DoFileSave() {
    return DoSave(m_strPathName.IsEmpty() ? nullptr : m_strPathName.GetString());
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }

}  // namespace platform

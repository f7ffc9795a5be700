#include "document.h"

#include "document_title.h"
#include "frame_wnd.h"
#include "message_box.h"
#include "message_box_qt.h"
#include "qt_bridge.h"
#include "text_file.h"
#include "view.h"
#include "win_app.h"

#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>

namespace platform {

const CRuntimeClass CDocument::runtimeClass =
    PlainClass<CDocument>("CDocument", &CCmdTarget::runtimeClass);
const MessageMap<CDocument> CDocument::messageMap{&CCmdTarget::messageMap,
                                                  {
                                                      {ID_FILE_SAVE, &CDocument::OnFileSave},
                                                      {ID_FILE_SAVE_AS, &CDocument::OnFileSaveAs},
                                                  }};

QString FileTitle(const QString& path) { return QFileInfo(path).fileName(); }

QString DisplayTitle(const CDocument& document) {
    const QString path = PathToQt(document.GetPathName());
    if (!path.isEmpty() && document.GetTitle() == ToCString(FileTitle(path))) {
        return FileTitle(path);
    }
    return ToQString(document.GetTitle());
}

CDocument::CDocument() = default;

CDocument::~CDocument() {
    for (CView* view : m_views) {
        view->m_pDocument = nullptr;
    }
}

void CDocument::SetTitle(LPCTSTR title) {
    m_strTitle = title;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR path, BOOL addToRecentFiles) {
    const QString absolute = QFileInfo(PathToQt(path)).absoluteFilePath();
    m_strPathName = PathFromQt(absolute);
    SetTitle(ToCString(FileTitle(absolute)));
    if (addToRecentFiles) {
        if (CWinApp* app = AfxGetApp()) {
            app->AddToRecentFileList(m_strPathName);
        }
    }
}

void CDocument::SetModifiedFlag(BOOL modified) { m_bModified = modified != FALSE; }

POSITION CDocument::GetFirstViewPosition() const {
    // A position is the 1-based index of the next view, disguised as the opaque type.
    return m_views.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t{1});
}

CView* CDocument::GetNextView(POSITION& position) const {
    const auto index = reinterpret_cast<std::uintptr_t>(position);
    if (index == 0 || index > m_views.size()) {
        position = nullptr;
        return nullptr;
    }
    position = index < m_views.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return m_views[index - 1];
}

void CDocument::AddView(CView* view) {
    if (view != nullptr && std::find(m_views.begin(), m_views.end(), view) == m_views.end()) {
        m_views.push_back(view);
        view->m_pDocument = this;
    }
}

void CDocument::RemoveView(CView* view) {
    const auto found = std::find(m_views.begin(), m_views.end(), view);
    if (found != m_views.end()) {
        m_views.erase(found);
        view->m_pDocument = nullptr;
    }
}

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
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR path) {
    const QString qtPath = PathToQt(path);
    // The whole file is read (and checked against the size limit) before anything of the
    // current document changes, so a refused file leaves everything as it was.
    LoadedTextFile file = LoadTextFile(qtPath);
    if (!file.ok()) {
        ShowMessageBox(file.error, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    CArchive archive(CArchive::load, std::move(file.bytes), CString(path));
    archive.m_pDocument = this;
    DeleteContents();
    if (!SerializeReportingErrors(*this, archive)) {
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR path) {
    CArchive archive(CArchive::store, {}, CString(path));
    archive.m_pDocument = this;
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
    const QString title = DisplayTitle(*this);
    switch (ShowMessageBox(QStringLiteral("Save changes to %1?").arg(title),
                           MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDCANCEL:
            return FALSE;
        case IDYES:
            return DoFileSave();
        default:
            return TRUE;
    }
}

void CDocument::OnCloseDocument() { DeleteContents(); }

namespace {

QString AskSaveFileName(const QString& suggested) {
    if (const UserPrompts& prompts = GetUserPrompts(); prompts.saveFileName) {
        return PathToQt(prompts.saveFileName(PathFromQt(suggested)));
    }
    CWnd* mainWindow = AfxGetMainWnd();
    return QFileDialog::getSaveFileName(mainWindow != nullptr ? mainWindow->Widget() : nullptr,
                                        QStringLiteral("Save As"), suggested);
}

}  // namespace

BOOL CDocument::DoSave(LPCTSTR path, BOOL replace) {
    QString target = PathToQt(path);
    if (target.isEmpty()) {
        const QString current = PathToQt(m_strPathName);
        target = AskSaveFileName(current.isEmpty() ? DisplayTitle(*this) : current);
        if (target.isEmpty()) {
            return FALSE;
        }
    }
    const CString targetPath = PathFromQt(target);
    if (!OnSaveDocument(targetPath)) {
        return FALSE;
    }
    if (replace) {
        SetPathName(targetPath);
    }
    return TRUE;
}

BOOL CDocument::DoFileSave() {
    return DoSave(m_strPathName.IsEmpty() ? nullptr : m_strPathName.GetString());
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }

void CDocument::UpdateFrameCounts() {
    for (CView* view : m_views) {
        if (CFrameWnd* frame = view->GetParentFrame()) {
            frame->OnUpdateFrameTitle(TRUE);
        }
    }
}

}  // namespace platform

#include "win_app.h"

#include "doc_template.h"
#include "document.h"
#include "frame_wnd.h"
#include "message_box.h"
#include "print_job.h"
#include "qt_bridge.h"
#include "recent_file_store.h"
#include "resources.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <new>

namespace platform {

const MessageMap<CWinApp> CWinApp::messageMap{
    &CCmdTarget::messageMap,
    {
        {ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CWinApp::OnOpenRecentFile},
        {ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu},
        {ID_APP_EXIT, &CWinApp::OnAppExit},
    }};

struct CWinApp::State {
    std::vector<std::unique_ptr<CSingleDocTemplate>> templates;
    std::unique_ptr<RecentFileStore> recentFiles;
};

CWinApp::CWinApp(LPCTSTR appName) : m_state(std::make_unique<State>()) {
    if (appName != nullptr) {
        m_strAppName = appName;
        m_pszAppName = m_strAppName;
    }
}

CWinApp::~CWinApp() = default;

CWinApp* AfxGetApp() { return static_cast<CWinApp*>(AfxGetThread()); }

void CWinApp::SetAppNameFromResources() {
    if (m_pszAppName == nullptr) {
        m_strAppName = FindStringResource(AFX_IDS_APP_TITLE);
        m_pszAppName = m_strAppName;
    }
}

void CWinApp::SetRegistryKey(LPCTSTR key) {
    m_strRegistryKey = key;
    QCoreApplication::setOrganizationName(ToQString(key));
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles) {
    m_state->recentFiles.reset();
    if (maxRecentFiles > 0) {
        const QString application = ToQString(m_pszAppName);
        const QString organisation =
            m_strRegistryKey.IsEmpty() ? application : ToQString(m_strRegistryKey);
        m_state->recentFiles = std::make_unique<RecentFileStore>(organisation, application,
                                                                 static_cast<int>(maxRecentFiles));
        m_state->recentFiles->load();
    }
    RefreshRecentFileMenu();
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* docTemplate) {
    if (docTemplate != nullptr) {
        m_state->templates.emplace_back(docTemplate);
    }
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR path, BOOL makeVisible) {
    if (m_state->templates.empty()) {
        return nullptr;
    }
    CSingleDocTemplate& docTemplate = *m_state->templates.front();
    CDocument* document = docTemplate.OpenDocumentFile(path, makeVisible);
    if (m_pMainWnd == nullptr && docTemplate.GetFrame() != nullptr) {
        m_pMainWnd = docTemplate.GetFrame();
        RefreshRecentFileMenu();
    }
    return document;
}

void CWinApp::AddToRecentFileList(LPCTSTR path) {
    if (m_state->recentFiles && path != nullptr && *path != '\0') {
        m_state->recentFiles->add(PathToQt(path));
        RefreshRecentFileMenu();
    }
}

std::vector<CString> CWinApp::GetRecentFiles() const {
    std::vector<CString> paths;
    if (m_state->recentFiles) {
        for (const QString& entry : m_state->recentFiles->entries()) {
            paths.push_back(PathFromQt(entry));
        }
    }
    return paths;
}

void CWinApp::RefreshRecentFileMenu() {
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd)) {
        frame->SetRecentFileMenu(GetRecentFiles());
    }
}

void CWinApp::ReportFailure(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Out of memory.", MB_OK | MB_ICONSTOP);
    } catch (const std::exception& error) {
        AfxMessageBox(CString("The command could not be completed:\n") + error.what(),
                      MB_OK | MB_ICONSTOP);
    } catch (...) {
        AfxMessageBox("The command could not be completed because of an unexpected error.",
                      MB_OK | MB_ICONSTOP);
    }
}

void CWinApp::OnFileNew() { OpenDocumentFile(nullptr); }

void CWinApp::OnFileOpen() {
    QString path;
    if (const UserPrompts& prompts = GetUserPrompts(); prompts.openFileName) {
        path = PathToQt(prompts.openFileName());
    } else {
        path = QFileDialog::getOpenFileName(MainWindowWidget(), QStringLiteral("Open"));
    }
    if (!path.isEmpty()) {
        OpenDocumentFile(PathFromQt(path));
    }
}

void CWinApp::OnFilePrintSetup() {
    QPrintDialog dialog(&AfxPrinter(), MainWindowWidget());
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    // Print Setup only chooses the printer and the page; the dialog's OK prints nothing.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
            ok->setText(QStringLiteral("OK"));
        }
    }
    dialog.exec();
}

void CWinApp::OnAppExit() {
    if (QWidget* window = MainWindowWidget()) {
        window->close();
    }
}

void CWinApp::OnOpenRecentFile(UINT id) {
    if (!m_state->recentFiles) {
        return;
    }
    const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
    const QStringList& entries = m_state->recentFiles->entries();
    if (index < 0 || index >= entries.size()) {
        return;
    }
    const QString path = entries.at(index);
    if (!QFileInfo::exists(path)) {
        ShowMessageBox(QStringLiteral("%1\nThis file no longer exists. It has been removed from "
                                      "the list of recent files.")
                           .arg(path),
                       MB_OK | MB_ICONEXCLAMATION);
        m_state->recentFiles->removeAt(index);
        RefreshRecentFileMenu();
        return;
    }
    OpenDocumentFile(PathFromQt(path));
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* ui) {
    ui->Enable(m_state->recentFiles && !m_state->recentFiles->entries().isEmpty());
}

int CWinApp::ExitInstance() {
    if (m_state->recentFiles) {
        m_state->recentFiles->save();
    }
    // Windows and documents go while Qt is still there to take their widgets down.
    m_pMainWnd = nullptr;
    m_state->templates.clear();
    return 0;
}

}  // namespace platform

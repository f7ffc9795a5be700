#include "win_app.h"

#include "doc_template.h"
#include "document.h"
#include "frame_wnd.h"
#include "message_box.h"
#include "message_box_qt.h"
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
#include <QSettings>

namespace platform {

const CRuntimeClass CWinApp::runtimeClass =
    PlainClass<CWinApp>("CWinApp", &CCmdTarget::runtimeClass);
const MessageMap<CWinApp> CWinApp::messageMap{
    &CCmdTarget::messageMap,
    {
        {ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CWinApp::OnOpenRecentFile},
        {ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu},
        {ID_APP_EXIT, &CWinApp::OnAppExit},
    }};

namespace {

CWinApp* g_app = nullptr;

}  // namespace

struct CWinApp::State {
    std::vector<std::unique_ptr<CDocTemplate>> templates;
    std::unique_ptr<RecentFileStore> recentFiles;

    QSettings Settings(const CWinApp& app) const {
        const QString application = ToQString(app.m_pszAppName);
        const QString organisation =
            app.m_pszRegistryKey != nullptr ? ToQString(app.m_pszRegistryKey) : application;
        return QSettings(QSettings::IniFormat, QSettings::UserScope, organisation, application);
    }
};

CWinApp::CWinApp(LPCTSTR appName) : m_state(std::make_unique<State>()) {
    if (appName != nullptr) {
        m_strAppName = appName;
        m_pszAppName = m_strAppName;
    }
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app != nullptr ? g_app->m_pMainWnd : nullptr; }

void CWinApp::SetAppNameFromResources() {
    if (m_pszAppName == nullptr) {
        LoadStringResource(AFX_IDS_APP_TITLE, m_strAppName);
        m_pszAppName = m_strAppName;
    }
}

void CWinApp::SetRegistryKey(LPCTSTR key) {
    m_strRegistryKey = key;
    m_pszRegistryKey = m_strRegistryKey;
    QCoreApplication::setOrganizationName(ToQString(key));
}

CString CWinApp::GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue) {
    QSettings settings = m_state->Settings(*this);
    settings.beginGroup(ToQString(section));
    const QVariant value = settings.value(ToQString(entry));
    return value.isValid() ? ToCString(value.toString()) : CString(defaultValue);
}

BOOL CWinApp::WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value) {
    QSettings settings = m_state->Settings(*this);
    settings.beginGroup(ToQString(section));
    if (value == nullptr) {
        settings.remove(ToQString(entry));
    } else {
        settings.setValue(ToQString(entry), ToQString(value));
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

UINT CWinApp::GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) {
    QSettings settings = m_state->Settings(*this);
    settings.beginGroup(ToQString(section));
    bool ok = false;
    const int value = settings.value(ToQString(entry)).toInt(&ok);
    return static_cast<UINT>(ok ? value : defaultValue);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value) {
    QSettings settings = m_state->Settings(*this);
    settings.beginGroup(ToQString(section));
    settings.setValue(ToQString(entry), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles) {
    if (maxRecentFiles == 0) {
        m_state->recentFiles.reset();
        return;
    }
    const QString application = ToQString(m_pszAppName);
    const QString organisation =
        m_pszRegistryKey != nullptr ? ToQString(m_pszRegistryKey) : application;
    m_state->recentFiles = std::make_unique<RecentFileStore>(organisation, application,
                                                             static_cast<int>(maxRecentFiles));
    m_state->recentFiles->load();
    RefreshRecentFileMenu();
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) {
    if (docTemplate != nullptr) {
        m_state->templates.emplace_back(docTemplate);
    }
}

CDocTemplate* CWinApp::GetFirstDocTemplate() const {
    return m_state->templates.empty() ? nullptr : m_state->templates.front().get();
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR path) {
    CDocTemplate* docTemplate = GetFirstDocTemplate();
    return docTemplate != nullptr ? docTemplate->OpenDocumentFile(path) : nullptr;
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

BOOL CWinApp::SaveAllModified() {
    for (const auto& docTemplate : m_state->templates) {
        if (!docTemplate->SaveAllModified()) {
            return FALSE;
        }
    }
    return TRUE;
}

void CWinApp::OnFileNew() { OpenDocumentFile(nullptr); }

void CWinApp::OnFileOpen() {
    QString path;
    if (const UserPrompts& prompts = GetUserPrompts(); prompts.openFileName) {
        path = PathToQt(prompts.openFileName());
    } else {
        QWidget* owner = m_pMainWnd != nullptr ? m_pMainWnd->Widget() : nullptr;
        path = QFileDialog::getOpenFileName(owner, QStringLiteral("Open"));
    }
    if (!path.isEmpty()) {
        OpenDocumentFile(PathFromQt(path));
    }
}

void CWinApp::OnFilePrintSetup() {
    QWidget* owner = m_pMainWnd != nullptr ? m_pMainWnd->Widget() : nullptr;
    QPrintDialog dialog(&AfxPrinter(), owner);
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
    if (m_pMainWnd != nullptr && m_pMainWnd->Widget() != nullptr) {
        m_pMainWnd->Widget()->close();
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

BOOL CWinApp::HasPrinter() const {
    const QPrinter& printer = AfxPrinter();
    return printer.outputFormat() != QPrinter::NativeFormat || !printer.printerName().isEmpty();
}

int CWinApp::Run() {
    if (m_pMainWnd != nullptr) {
        QApplication::exec();
    }
    return ExitInstance();
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

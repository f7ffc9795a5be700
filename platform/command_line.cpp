// The command line: parsing the request and carrying it out at start-up.
#include "win_app.h"

#include "frame_wnd.h"
#include "message_box.h"
#include "view.h"

#include <strings.h>

#include <cstring>

namespace platform {

namespace {

// Switches written with "/" on the old platform; on Linux "/" also starts every absolute
// path, so only these words count as switches there ("-" always starts one).
bool IsSlashSwitch(const char* word) {
    for (const char* known :
         {"p", "pt", "dde", "automation", "embedding", "unregister", "unregserver"}) {
        if (strcasecmp(word, known) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

void CCommandLineInfo::ParseParam(LPCTSTR param, BOOL flag) {
    if (!m_strError.IsEmpty()) {
        return;
    }
    if (flag) {
        if (strcasecmp(param, "p") == 0) {
            m_nShellCommand = FilePrint;
        } else {
            m_strError = CString("Unknown option \"-") + param + "\".";
        }
    } else if (m_strFileName.IsEmpty()) {
        m_strFileName = param;
        if (m_nShellCommand == FileNew) {
            m_nShellCommand = FileOpen;
        }
    } else {
        m_strError = CString("Only one file can be named; \"") + param + "\" is one too many.";
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    bool optionsEnded = false;
    for (int i = 1; i < m_argc; ++i) {
        const char* arg = m_argv[i];
        if (!optionsEnded && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
            continue;
        }
        const bool dashSwitch = arg[0] == '-' && arg[1] != '\0';
        const bool slashSwitch = arg[0] == '/' && IsSlashSwitch(arg + 1);
        if (!optionsEnded && (dashSwitch || slashSwitch)) {
            info.ParseParam(arg + 1, TRUE);
        } else {
            info.ParseParam(arg, FALSE);
        }
    }
    if (info.m_strError.IsEmpty() && info.m_nShellCommand == CCommandLineInfo::FilePrint &&
        info.m_strFileName.IsEmpty()) {
        info.m_strError = "The print option needs the name of the file to print.";
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    m_nStartupExitCode = 1;
    if (!info.m_strError.IsEmpty()) {
        AfxMessageBox(
            info.m_strError + "\n\nUsage: " + m_pszAppName + " [FILE | /p FILE | -p FILE]",
            MB_OK | MB_ICONSTOP);
        m_nStartupExitCode = 2;
        return FALSE;
    }
    if (info.m_nShellCommand != CCommandLineInfo::FilePrint) {
        const bool open = info.m_nShellCommand == CCommandLineInfo::FileOpen;
        return OpenDocumentFile(open ? info.m_strFileName.GetString() : nullptr) != nullptr &&
               m_pMainWnd != nullptr;
    }
    // Opened without showing a window and printed at once, as the view's print-direct
    // command prints; then start-up ends, successfully if every page printed.
    if (OpenDocumentFile(info.m_strFileName, FALSE) == nullptr || m_pMainWnd == nullptr) {
        return FALSE;
    }
    CView* view = static_cast<CFrameWnd*>(m_pMainWnd)->GetActiveView();
    BOOL printed = FALSE;
    if (view != nullptr && view->OnCmdMsg(ID_FILE_PRINT_DIRECT, CN_HAS_HANDLER, nullptr)) {
        AfxReportingFailures([&] { printed = view->Print(TRUE); });
    }
    m_nStartupExitCode = printed ? 0 : 1;
    return FALSE;
}

}  // namespace platform

// The command line: parsing the request and carrying it out at start-up.
#include "win_app.h"

#include "doc_template.h"
#include "document.h"
#include "message_box.h"
#include "print_job.h"
#include "wnd.h"

#include <cctype>
#include <cstring>
#include <string>

namespace platform {

namespace {

// Switches written with "/" on the old platform; on Linux "/" also starts every absolute
// path, so only these words count as switches there ("-" always starts one).
bool IsSlashSwitch(const char* word) {
    std::string lower;
    for (const char* c = word; *c != '\0'; ++c) {
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    return lower == "p" || lower == "pt" || lower == "dde" || lower == "automation" ||
           lower == "embedding" || lower == "unregister" || lower == "unregserver";
}

}  // namespace

void CCommandLineInfo::ParseParam(LPCTSTR param, BOOL flag, BOOL last) {
    if (!m_strError.IsEmpty()) {
        return;
    }
    if (flag) {
        CString name(param);
        std::string lower(name.View());
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (lower == "p") {
            m_nShellCommand = FilePrint;
            m_bExpectPrintFile = TRUE;
        } else {
            m_strError = CString("Unknown option \"-") + param + "\".";
        }
    } else if (m_strFileName.IsEmpty()) {
        m_strFileName = param;
        m_bExpectPrintFile = FALSE;
        if (m_nShellCommand == FileNew) {
            m_nShellCommand = FileOpen;
        }
    } else {
        m_strError = CString("Only one file can be named; \"") + param + "\" is one too many.";
    }
    if (last && m_strError.IsEmpty() && m_nShellCommand == FilePrint && m_strFileName.IsEmpty()) {
        m_strError = "The print option needs the name of the file to print.";
    }
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    bool optionsEnded = false;
    for (int i = 1; i < m_argc; ++i) {
        const char* arg = m_argv[i];
        const BOOL last = i == m_argc - 1;
        if (!optionsEnded && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
            if (last && info.m_nShellCommand == CCommandLineInfo::FilePrint &&
                info.m_strFileName.IsEmpty()) {
                info.m_strError = "The print option needs the name of the file to print.";
            }
            continue;
        }
        const bool dashSwitch = arg[0] == '-' && arg[1] != '\0';
        const bool slashSwitch = arg[0] == '/' && IsSlashSwitch(arg + 1);
        if (!optionsEnded && (dashSwitch || slashSwitch)) {
            info.ParseParam(arg + 1, TRUE, last);
        } else {
            info.ParseParam(arg, FALSE, last);
        }
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
    switch (info.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            return OpenDocumentFile(nullptr) != nullptr && m_pMainWnd != nullptr;
        case CCommandLineInfo::FileOpen:
            return OpenDocumentFile(info.m_strFileName) != nullptr && m_pMainWnd != nullptr;
        case CCommandLineInfo::FilePrint: {
            // Opened without showing a window, printed through the view's print-direct
            // command, and then start-up ends, successfully if every page printed.
            m_nCmdShow = SW_HIDE;
            CDocTemplate* docTemplate = GetFirstDocTemplate();
            if (docTemplate == nullptr ||
                docTemplate->OpenDocumentFile(info.m_strFileName, FALSE) == nullptr ||
                m_pMainWnd == nullptr) {
                return FALSE;
            }
            SetLastPrintJobResult(false);
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
            m_nStartupExitCode = LastPrintJobSucceeded() ? 0 : 1;
            return FALSE;
        }
        default:
            return FALSE;
    }
}

}  // namespace platform

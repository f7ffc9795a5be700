#pragma once
// The application object and its start-up.
//
// The program defines one static object of a class derived from CWinApp and calls
//     int main(int argc, char** argv) { return platform::AfxWinMain(argc, argv, module); }
// AfxWinMain hands the resources to the layer, answers --version, makes the Qt application,
// calls InitInstance (zero ends the program with the start-up's exit status), runs the
// event loop until the main window closes, calls ExitInstance and returns the exit status.

#include "cmd_target.h"

#include <memory>
#include <vector>

namespace platform {

class CDocTemplate;
class CDocument;
class CWnd;
struct ResourceModule;

// The request on the command line: none (a new document), a file to open, or /p FILE
// (-p FILE) to print to the default printer without asking. Anything else is an error
// the application reports before ending with a non-zero status.
class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    CCommandLineInfo() = default;
    virtual ~CCommandLineInfo() = default;

    // One argument, already split from the others; flag is TRUE for "/x" and "-x" (the
    // text without its mark), last is TRUE for the final argument.
    virtual void ParseParam(LPCTSTR param, BOOL flag, BOOL last);

    int m_nShellCommand = FileNew;
    CString m_strFileName;  // the path as the operating system spells it
    CString m_strPrinterName;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    // Why the command line cannot be carried out; empty when it can.
    CString m_strError;

private:
    BOOL m_bExpectPrintFile = FALSE;
};

class CWinApp : public CCmdTarget {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap<CWinApp> messageMap;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    // With a null name, the name is string AFX_IDS_APP_TITLE.
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    // Overridables.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    virtual int Run();

    // Nothing to do on this platform: controls are native widgets and look three-dimensional.
    BOOL Enable3dControls() { return TRUE; }

    // Settings: an INI file under the user's configuration folder, organisation = key,
    // application = the application's name.
    void SetRegistryKey(LPCTSTR key);
    // Loads the recent-file list (at most maxRecentFiles entries, 0 for none).
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);
    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr);
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue);
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);

    // The application owns the template from here on.
    void AddDocTemplate(CDocTemplate* docTemplate);
    CDocTemplate* GetFirstDocTemplate() const;

    // Fills info from the process's arguments (those Qt did not take).
    void ParseCommandLine(CCommandLineInfo& info);
    // Carries out the request: FALSE when start-up must end, with m_nStartupExitCode
    // telling how (0 after a command-line print that succeeded).
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    // A new document or the named file through the first template; null when the request
    // failed or was cancelled.
    virtual CDocument* OpenDocumentFile(LPCTSTR path);
    virtual void AddToRecentFileList(LPCTSTR path);
    // Recent-file entries, most recent first (paths as the operating system spells them).
    std::vector<CString> GetRecentFiles() const;
    // Asks to save every modified document; FALSE when the user cancelled.
    BOOL SaveAllModified();

    // Standard commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnOpenRecentFile(UINT id);
    // Grays the "Recent File" placeholder while the list is empty.
    void OnUpdateRecentFileMenu(CCmdUI* ui);

    // Print setup is kept for the whole run; Print and print-direct use this printer.
    // FALSE when the machine has no printer at all.
    BOOL HasPrinter() const;

    // Takes the name from string AFX_IDS_APP_TITLE when constructed without one.
    void SetAppNameFromResources();

    LPCTSTR m_pszAppName = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr;
    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWDEFAULT;
    int m_nStartupExitCode = 1;
    int m_argc = 0;
    char** m_argv = nullptr;

private:
    void RefreshRecentFileMenu();

    struct State;
    std::unique_ptr<State> m_state;
    CString m_strAppName;
    CString m_strRegistryKey;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Nothing to do on this platform: there are no embedded controls to contain.
inline void AfxEnableControlContainer() {}

// Hands the resources to the layer (AfxWinMain does this too).
void AfxSetResourceModule(const ResourceModule& module);

// The program's entry: returns the process exit status.
int AfxWinMain(int argc, char** argv, const ResourceModule& module);

}  // namespace platform

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

class CDocument;
class CSingleDocTemplate;
struct ResourceModule;

// The request on the command line: none (a new document), a file to open, or /p FILE
// (-p FILE) to print to the default printer without asking. Anything else is an error
// the application reports before ending with a non-zero status.
class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FilePrint };

    // One argument, already split from the others; flag is TRUE for "/x" and "-x" (the
    // text without its mark).
    void ParseParam(LPCTSTR param, BOOL flag);

    int m_nShellCommand = FileNew;
    CString m_strFileName;  // the path as the operating system spells it
    // Why the command line cannot be carried out; empty when it can.
    CString m_strError;
};

class CWinApp : public CWinThread {
public:
    static const MessageMap<CWinApp> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    // With a null name, the name is string AFX_IDS_APP_TITLE.
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    // Overridables.
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();

    // Nothing to do on this platform: controls are native widgets and look three-dimensional.
    BOOL Enable3dControls() { return TRUE; }

    // Settings: an INI file under the user's configuration folder, organisation = key,
    // application = the application's name.
    void SetRegistryKey(LPCTSTR key);
    // Loads the recent-file list (at most maxRecentFiles entries, 0 for none).
    void LoadStdProfileSettings(UINT maxRecentFiles = 4);

    // The application owns the template from here on; the first one opens documents.
    void AddDocTemplate(CSingleDocTemplate* docTemplate);

    // Fills info from the process's arguments (those Qt did not take).
    void ParseCommandLine(CCommandLineInfo& info);
    // Carries out the request: FALSE when start-up must end, with m_nStartupExitCode
    // telling how (0 after a command-line print that succeeded).
    BOOL ProcessShellCommand(CCommandLineInfo& info);

    // A new document or the named file through the template, its frame shown unless
    // makeVisible is FALSE; null when the request failed or was cancelled. The frame
    // becomes the main window.
    CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE);
    void AddToRecentFileList(LPCTSTR path) override;
    // Recent-file entries, most recent first (paths as the operating system spells them).
    std::vector<CString> GetRecentFiles() const;
    // Tells the user what went wrong in work they started.
    void ReportFailure(std::exception_ptr failure) override;

    // Standard commands.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnOpenRecentFile(UINT id);
    // Grays the "Recent File" placeholder while the list is empty.
    void OnUpdateRecentFileMenu(CCmdUI* ui);

    // Takes the name from string AFX_IDS_APP_TITLE when constructed without one.
    void SetAppNameFromResources();

    LPCTSTR m_pszAppName = nullptr;
    int m_nStartupExitCode = 1;
    int m_argc = 0;
    char** m_argv = nullptr;

private:
    // The one owner of the menu's recent-file entries: shows the list on the main window.
    void RefreshRecentFileMenu();

    struct State;
    std::unique_ptr<State> m_state;
    CString m_strAppName;
    CString m_strRegistryKey;
};

CWinApp* AfxGetApp();
// Nothing to do on this platform: there are no embedded controls to contain.
inline void AfxEnableControlContainer() {}

// Whether Qt has a window system to open windows on: DISPLAY (X11), WAYLAND_DISPLAY, or a
// platform named by QT_QPA_PLATFORM or the -platform option. Without one, making the Qt
// application aborts the process, so a program asks first.
bool AfxHasWindowSystem(int argc, char** argv);

// The program's entry: returns the process exit status.
int AfxWinMain(int argc, char** argv, const ResourceModule& module);

}  // namespace platform

#include "vorlexi_app.h"

#include "about_dlg.h"
#include "main_frame.h"
#include "resource_ids.h"
#include "vorlexi_doc.h"
#include "vorlexi_view.h"

// New, Open and Print Setup are the framework's own commands; they reach the program
// only because this map names them.
const MessageMap<CVorlexiApp> CVorlexiApp::messageMap{
    &CWinApp::messageMap,
    {
        {ID_APP_ABOUT, &CVorlexiApp::OnAbout},
        {ID_FILE_NEW, &CWinApp::OnFileNew},
        {ID_FILE_OPEN, &CWinApp::OnFileOpen},
        {ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup},
    }};

CVorlexiApp::CVorlexiApp() : CWinApp(nullptr) {}

BOOL CVorlexiApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, &CVorlexiDoc::runtimeClass,
                                          &CMainFrame::runtimeClass, &CVorlexiView::runtimeClass));

    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine)) {
        return FALSE;
    }
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

void CVorlexiApp::OnAbout() {
    CAboutDlg about;
    about.DoModal();
}

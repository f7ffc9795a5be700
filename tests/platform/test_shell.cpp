#include "test_shell.h"

#include "test_resources.h"

#include <new>
#include <stdexcept>

using namespace test_resources;

std::vector<std::string>& Trace() {
    static std::vector<std::string> trace;
    return trace;
}

const CRuntimeClass CTestDoc::runtimeClass =
    DynamicClass<CTestDoc>("CTestDoc", &CDocument::runtimeClass);

BOOL CTestDoc::OnNewDocument() {
    if (failNextNew) {
        failNextNew = false;
        return FALSE;
    }
    if (!CDocument::OnNewDocument()) {
        return FALSE;
    }
    Trace().push_back("doc:new");
    static_cast<CEditView*>(GetFirstView())->SetWindowText(nullptr);
    return TRUE;
}

void CTestDoc::Serialize(CArchive& archive) {
    Trace().push_back(archive.IsLoading() ? "doc:load" : "doc:store");
    static_cast<CEditView*>(GetFirstView())->SerializeRaw(archive);
}

const CRuntimeClass CTestView::runtimeClass =
    DynamicClass<CTestView>("CTestView", &CEditView::runtimeClass);
const MessageMap<CTestView> CTestView::messageMap{
    &CEditView::messageMap,
    {
        {ID_TEST_BOTH, &CTestView::OnBoth},
        {ID_TEST_THROW, &CTestView::OnThrow},
        {ID_TEST_OOM, &CTestView::OnOutOfMemory},
        {ID_TEST_CHECK, &CTestView::OnCheck},
        {ID_TEST_CHECK, &CTestView::OnUpdateCheck},
        {ID_TEST_DISABLED, &CTestView::OnDisabled},
        {ID_TEST_DISABLED, &CTestView::OnUpdateDisabled},
        {ID_FILE_PRINT, &CView::OnFilePrint},
        {ID_FILE_PRINT_DIRECT, &CView::OnFilePrint},
        {ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview},
    }};

void CTestView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    Trace().push_back("view:initial-update");
    m_font.CreatePointFont(120, "COURIER");
    SetFont(&m_font);
}

void CTestView::OnBoth() { Trace().push_back("view:both"); }

void CTestView::OnThrow() {
    Trace().push_back("view:throw");
    throw std::runtime_error("the test handler failed");
}

void CTestView::OnOutOfMemory() {
    Trace().push_back("view:oom");
    throw std::bad_alloc();
}

void CTestView::OnCheck() { Trace().push_back("view:check"); }

void CTestView::OnUpdateCheck(CCmdUI* ui) { ui->SetCheck(1); }

void CTestView::OnDisabled() { Trace().push_back("view:disabled"); }

void CTestView::OnUpdateDisabled(CCmdUI* ui) { ui->Enable(FALSE); }

const CRuntimeClass CTestFrame::runtimeClass =
    DynamicClass<CTestFrame>("CTestFrame", &CFrameWnd::runtimeClass);

int CTestFrame::OnCreate(LPCREATESTRUCT cs) {
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                      ID_INDICATOR_SCRL};
    if (failCreate || CFrameWnd::OnCreate(cs) == -1) {
        return -1;
    }
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT,
                            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                                CBRS_FLYBY | CBRS_SIZE_DYNAMIC) ||
        !m_toolBar.LoadToolBar(IDR_TEST)) {
        return -1;
    }
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(indicators, 4)) {
        return -1;
    }
    m_toolBar.EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_toolBar);
    return 0;
}

const MessageMap<CTestApp> CTestApp::messageMap{&CWinApp::messageMap,
                                                {
                                                    {ID_FILE_NEW, &CWinApp::OnFileNew},
                                                    {ID_FILE_OPEN, &CWinApp::OnFileOpen},
                                                    {ID_TEST_BOTH, &CTestApp::OnBoth},
                                                    {ID_TEST_APP_ONLY, &CTestApp::OnAppOnly},
                                                }};

BOOL CTestApp::InitInstance() {
    SetRegistryKey("Layer Tests");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_TEST, &CTestDoc::runtimeClass,
                                          &CTestFrame::runtimeClass, &CTestView::runtimeClass));
    CCommandLineInfo info;
    ParseCommandLine(info);
    if (!ProcessShellCommand(info)) {
        return FALSE;
    }
    m_pMainWnd->ShowWindow(SW_SHOW);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

void CTestApp::OnBoth() { Trace().push_back("app:both"); }

void CTestApp::OnAppOnly() { Trace().push_back("app:app-only"); }

ScriptedAnswers::ScriptedAnswers() {
    platform::UserPrompts prompts;
    prompts.messageBox = [this](const CString& text, UINT) {
        messages.emplace_back(text.View());
        if (messageBoxAnswers.empty()) {
            return static_cast<int>(IDOK);
        }
        const int answer = messageBoxAnswers.front();
        messageBoxAnswers.erase(messageBoxAnswers.begin());
        return answer;
    };
    prompts.saveFileName = [this](const CString&) { return CString(saveAsName); };
    prompts.openFileName = [this] { return CString(openName); };
    prompts.printDialog = [] { return TRUE; };
    m_previous = platform::SetUserPrompts(std::move(prompts));
}

ScriptedAnswers::~ScriptedAnswers() { platform::SetUserPrompts(std::move(m_previous)); }

#pragma once
// A small document/view program on the layer, for the layer's tests: it records which
// handlers ran so a test can tell where a command went.

#include "afx.h"

#include <string>
#include <vector>

// What ran, in order ("view:both", "app:both", "doc:new", "view:initial-update", ...).
std::vector<std::string>& Trace();

class CTestDoc : public CDocument {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    BOOL OnNewDocument() override;
    void Serialize(CArchive& archive) override;

    static inline bool failNextNew = false;
};

class CTestView : public CEditView {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    static const MessageMap<CTestView> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    void OnInitialUpdate() override;
    void OnDraw(CDC*) override {}

    void OnBoth();
    void OnThrow();
    void OnOutOfMemory();
    void OnUpdateCheck(CCmdUI* ui);
    void OnUpdateDisabled(CCmdUI* ui);
    void OnCheck();
    void OnDisabled();

    CFont m_font;
};

class CTestFrame : public CFrameWnd {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    int OnCreate(LPCREATESTRUCT cs) override;

    static inline bool failCreate = false;

    CStatusBar m_statusBar;
    CToolBar m_toolBar;
};

class CTestApp : public CWinApp {
public:
    static const MessageMap<CTestApp> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    BOOL InitInstance() override;

    void OnBoth();
    void OnAppOnly();
};

// Answers for the message boxes the layer would show, and what they said.
struct ScriptedAnswers {
    ScriptedAnswers();
    ~ScriptedAnswers();
    ScriptedAnswers(const ScriptedAnswers&) = delete;
    ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

    std::vector<int> messageBoxAnswers;  // taken front first; IDOK when none is left
    std::vector<std::string> messages;
    std::string saveAsName;
    std::string openName;

private:
    platform::UserPrompts m_previous;
};

#include "cmd_target.h"

namespace platform {

const CRuntimeClass CObject::runtimeClass{"CObject", nullptr, nullptr};
const CRuntimeClass CCmdTarget::runtimeClass{"CCmdTarget", nullptr, &CObject::runtimeClass};
const MessageMap<CCmdTarget> CCmdTarget::messageMap{nullptr, {}};

void CCmdUI::DoUpdate(CCmdTarget* target) {
    if (target != nullptr && !target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this)) {
        Enable(target->OnCmdMsg(m_nID, CN_HAS_HANDLER, nullptr));
    }
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, CCmdUI* ui) { return DispatchToOwnMap(id, code, ui); }

BOOL CCmdTarget::DispatchToOwnMap(UINT id, int code, CCmdUI* ui) {
    for (const MessageMapBase* map = GetMessageMap(); map != nullptr; map = map->Base()) {
        if (map->Dispatch(*this, id, code, ui)) {
            return TRUE;
        }
    }
    return FALSE;
}

namespace {

CWinThread* g_thread = nullptr;
UINT g_currentCommand = 0;

// The command being carried out, for the time its handler runs.
struct CurrentCommand {
    explicit CurrentCommand(UINT id) : previous(g_currentCommand) { g_currentCommand = id; }
    ~CurrentCommand() { g_currentCommand = previous; }
    UINT previous;
};

}  // namespace

CWinThread::CWinThread() { g_thread = this; }

CWinThread::~CWinThread() {
    if (g_thread == this) {
        g_thread = nullptr;
    }
}

CWinThread* AfxGetThread() { return g_thread; }

CWnd* AfxGetMainWnd() { return g_thread != nullptr ? g_thread->m_pMainWnd : nullptr; }

void AfxReportingFailures(const std::function<void()>& work) {
    try {
        work();
    } catch (...) {
        if (g_thread == nullptr) {
            throw;
        }
        g_thread->ReportFailure(std::current_exception());
    }
}

BOOL AfxRunCommand(CCmdTarget* route, UINT id) {
    if (route == nullptr) {
        return FALSE;
    }
    const CurrentCommand current(id);
    BOOL ran = TRUE;  // a handler that failed has run
    AfxReportingFailures([&] { ran = route->OnCmdMsg(id, CN_COMMAND, nullptr); });
    return ran;
}

UINT AfxGetCurrentCommandId() { return g_currentCommand; }

}  // namespace platform

#include "cmd_target.h"

#include "message_box.h"

#include <exception>
#include <new>

namespace platform {

const CRuntimeClass CObject::runtimeClass{"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr};
const CRuntimeClass CCmdTarget::runtimeClass =
    PlainClass<CCmdTarget>("CCmdTarget", &CObject::runtimeClass);
const MessageMap<CCmdTarget> CCmdTarget::messageMap{nullptr, {}};

CObject* CRuntimeClass::CreateObject() const {
    return m_pfnCreateObject != nullptr ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* cls = this; cls != nullptr; cls = cls->m_pBaseClass) {
        if (cls == base) {
            return true;
        }
    }
    return false;
}

void CCmdUI::Enable(BOOL on) {
    m_bEnabled = on;
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int check) { m_nCheck = check; }

void CCmdUI::SetText(LPCTSTR text) {
    m_strText = text;
    m_bTextChanged = TRUE;
}

void CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
    m_bEnableChanged = FALSE;
    if (target == nullptr) {
        return;
    }
    if (target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this)) {
        return;
    }
    if (!m_bEnableChanged) {
        const BOOL handled = target->OnCmdMsg(m_nID, CN_HAS_HANDLER, nullptr);
        if (handled || disableIfNoHandler) {
            Enable(handled);
        }
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

UINT g_currentCommand = 0;

class CurrentCommandScope {
public:
    explicit CurrentCommandScope(UINT id) : m_previous(g_currentCommand) { g_currentCommand = id; }
    ~CurrentCommandScope() { g_currentCommand = m_previous; }
    CurrentCommandScope(const CurrentCommandScope&) = delete;
    CurrentCommandScope& operator=(const CurrentCommandScope&) = delete;

private:
    UINT m_previous;
};

}  // namespace

UINT AfxGetCurrentCommandId() { return g_currentCommand; }

BOOL AfxRunCommand(CCmdTarget* route, UINT id) {
    if (route == nullptr) {
        return FALSE;
    }
    CurrentCommandScope current(id);
    // A handler's failure must not end the program: the user is told, and the event loop
    // goes on with whatever state the handler left.
    try {
        return route->OnCmdMsg(id, CN_COMMAND, nullptr);
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Out of memory.", MB_OK | MB_ICONSTOP);
    } catch (const std::exception& error) {
        CString text("The command could not be completed:\n");
        text += error.what();
        AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    } catch (...) {
        AfxMessageBox("The command could not be completed because of an unexpected error.",
                      MB_OK | MB_ICONSTOP);
    }
    return TRUE;
}

}  // namespace platform

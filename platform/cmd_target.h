#pragma once
// Commands and their routing.
//
// Every command target (application, document, frame, view, dialog) has a static message
// map: a table of entries keyed by command id, chained to its base class's map. A class
// declares
//     static const platform::MessageMap<CVorlexiView> messageMap;
//     const platform::MessageMapBase* GetMessageMap() const override { return &messageMap; }
// and lists its handlers in its source file:
//     const MessageMap<CVorlexiView> CVorlexiView::messageMap{&CEditView::messageMap, {
//         {ID_CALC_FILTER, &CVorlexiView::OnCalcFilter},
//         {ID_FILE_PRINT, &CView::OnFilePrint},
//     }};
// An entry's handler is a member taking no arguments (a command), a member taking a CCmdUI*
// (the command's update handler, which enables or checks its menu item and button), or,
// with a first and last id, a member taking the command id (a range).
//
// A command reaches the first handler on its route: the active view, its document, the
// frame, the application. A menu item or toolbar button is enabled while a handler for its
// command exists on the route, unless an update handler says otherwise.

#include "cstring.h"
#include "object.h"

#include <exception>
#include <functional>
#include <initializer_list>
#include <vector>

namespace platform {

class CCmdTarget;
class CWnd;

// What a route is asked to do with a command id.
inline constexpr int CN_COMMAND = 0;             // run the handler
inline constexpr int CN_UPDATE_COMMAND_UI = -1;  // run the update handler with a CCmdUI
inline constexpr int CN_HAS_HANDLER = -2;        // only tell whether a handler exists

// The state of one user-interface item (menu item or toolbar button) of a command, handed
// to update handlers. The layer's own items derive from it; a test may too.
class CCmdUI {
public:
    explicit CCmdUI(UINT id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL on = TRUE) { m_bEnabled = on; }
    virtual void SetCheck(int check = 1) { m_nCheck = check; }  // 0 clear, 1 checked

    // Runs the update handler on the route of target; without one, enables the item
    // exactly when a command handler exists on the route.
    void DoUpdate(CCmdTarget* target);

    UINT m_nID;
    BOOL m_bEnabled = TRUE;
    int m_nCheck = 0;
};

class MessageMapBase {
public:
    explicit constexpr MessageMapBase(const MessageMapBase* base) : m_base(base) {}
    const MessageMapBase* Base() const { return m_base; }

    // Looks up id in this class's own entries only; the caller walks the chain.
    virtual bool Dispatch(CCmdTarget& target, UINT id, int code, CCmdUI* ui) const = 0;

protected:
    ~MessageMapBase() = default;

private:
    const MessageMapBase* m_base;
};

template <class T>
class MessageMap final : public MessageMapBase {
public:
    struct Entry {
        Entry(UINT id, void (T::*command)()) : first(id), last(id), onCommand(command) {}
        Entry(UINT id, void (T::*update)(CCmdUI*)) : first(id), last(id), onUpdate(update) {}
        Entry(UINT firstId, UINT lastId, void (T::*range)(UINT))
            : first(firstId), last(lastId), onRange(range) {}

        UINT first;
        UINT last;
        void (T::*onCommand)() = nullptr;
        void (T::*onUpdate)(CCmdUI*) = nullptr;
        void (T::*onRange)(UINT) = nullptr;
    };

    MessageMap(const MessageMapBase* base, std::initializer_list<Entry> entries)
        : MessageMapBase(base), m_entries(entries) {}

    bool Dispatch(CCmdTarget& target, UINT id, int code, CCmdUI* ui) const override {
        for (const Entry& entry : m_entries) {
            if (id < entry.first || id > entry.last) {
                continue;
            }
            T& self = static_cast<T&>(target);
            if (code == CN_UPDATE_COMMAND_UI) {
                if (entry.onUpdate == nullptr) {
                    continue;
                }
                (self.*entry.onUpdate)(ui);
                return true;
            }
            if (entry.onUpdate != nullptr) {
                continue;
            }
            if (code == CN_COMMAND) {
                if (entry.onCommand != nullptr) {
                    (self.*entry.onCommand)();
                } else {
                    (self.*entry.onRange)(id);
                }
            }
            return true;
        }
        return false;
    }

private:
    std::vector<Entry> m_entries;
};

class CCmdTarget : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap<CCmdTarget> messageMap;

    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    virtual const MessageMapBase* GetMessageMap() const { return &messageMap; }

    // Offers the command to this target's map chain. Routing classes (view, frame)
    // override it to pass the command on along their route.
    virtual BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui);

protected:
    CCmdTarget() = default;

    // Walks this object's own map chain, most derived class first.
    BOOL DispatchToOwnMap(UINT id, int code, CCmdUI* ui);
};

// The program's user-interface thread: the main window, and the end of every command
// route. The application object (CWinApp) is the one thread; the layer's lower parts
// reach the application only through this class.
class CWinThread : public CCmdTarget {
public:
    CWnd* m_pMainWnd = nullptr;

    // A file was opened or saved under path: the application's recent-file list takes it.
    virtual void AddToRecentFileList(LPCTSTR path) = 0;
    // Work the user started failed: the application tells the user, and the program goes on.
    virtual void ReportFailure(std::exception_ptr failure) = 0;

protected:
    CWinThread();
    ~CWinThread() override;
};

// The one thread, or null before the application object exists.
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();

// Runs work that the user started (a command, a button, closing the window) so that its
// failure does not end the program: an exception is handed to the application to report.
// Without an application object the exception goes on to the caller.
void AfxReportingFailures(const std::function<void()>& work);

// Carries out a command on a route, as a menu item or accelerator does, reporting a
// handler's failure. Returns whether a handler ran.
BOOL AfxRunCommand(CCmdTarget* route, UINT id);

// The id of the command being carried out, 0 outside a command; lets one handler serve
// several ids (the print commands).
UINT AfxGetCurrentCommandId();

}  // namespace platform

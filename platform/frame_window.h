#pragma once
// The main window behind a CFrameWnd and the Qt side of its commands: one QAction per
// command id, shared by the menu item, the toolbar button and the accelerators of that
// id; triggering one carries out the command. Item states are refreshed through the route
// when a menu is about to show and whenever the program goes idle after input; pointing
// at an item shows its prompt in the message pane. For the layer's own sources.

#include "cmd_target.h"
#include "resource_types.h"

#include <QHash>
#include <QMainWindow>
#include <QSet>

#include <functional>
#include <map>
#include <vector>

class QAction;
class QLabel;
class QMenu;

namespace platform {

class FrameWindow final : public QMainWindow {
public:
    struct Handlers {
        CCmdTarget* route;                     // asked for the items' states
        std::function<void(UINT id)> command;  // carries out a command
        std::function<bool()> close;           // whether the window may close now
    };

    explicit FrameWindow(Handlers handlers);
    ~FrameWindow() override;

    // The action of a command, made on first use.
    QAction* Action(UINT id);

    // The menu bar from a menu template: pop-ups of items with their "&" mnemonics and
    // "\t" shortcut texts, separators and grayed items.
    void BuildMenuBar(const MenuTemplate& menu);
    // Every entry of the table becomes a shortcut of its command's action.
    void AddAccelerators(const AcceleratorTable& table);
    // Replaces the recent-file entries of the menu with numbered paths; an empty list shows
    // the grayed placeholder.
    void SetRecentFiles(const std::vector<QString>& paths);

    // A toolbar button of command id shows the command's prompt while pointed at.
    void WatchFlyBy(QWidget* button, UINT id);
    // Buttons the pointer left while a command's modal box held it: drawn at rest again.
    void ForgetHoverAwayFromPointer();
    // The bars by child-window id, which is also the command that shows and hides them.
    void AddControlBar(UINT id, QWidget* bar) { m_bars.insert(id, bar); }
    QWidget* ControlBar(UINT id) const { return m_bars.value(id); }

    // The status bar's message pane: a command's prompt, or the idle message for 0.
    void SetMessagePane(QLabel* pane);
    void ShowPrompt(UINT id);

    void UpdateAllStates();
    void MarkDirty() { m_dirty = true; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FillMenu(QMenu& menu, std::span<const MenuItemTemplate> items);
    void UpdateStates(const QList<QAction*>& actions);
    void OnIdle();
    // The prompt of a menu's item, enabled or not (Qt reports only enabled ones as hovered).
    void ShowPromptOf(const QAction* action);
    void ShowMessage(const QString& text);

    Handlers m_handlers;
    std::map<UINT, QAction*> m_actions;
    QHash<UINT, QWidget*> m_bars;
    QLabel* m_messagePane = nullptr;
    QSet<int> m_acceleratorKeys;  // QKeyCombination::toCombined()
    QHash<QObject*, UINT> m_flyByButtons;
    QSet<QObject*> m_menus;
    // The button whose fly-by prompt shows: X servers may leave the pointer's way off a
    // button unreported after a menu or dialog closed over it.
    QObject* m_flyByShown = nullptr;
    QMenu* m_recentMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    QString m_recentPlaceholderText;
    std::vector<QAction*> m_recentEntries;  // beyond the placeholder, which is the first
    bool m_dirty = true;
};

}  // namespace platform

#pragma once
// The Qt side of a frame's commands: one QAction per command id, shared by the menu item,
// the toolbar button and the accelerators of that id; triggering one carries out the command
// on the frame's route. Item states are refreshed through the route when a menu is about to
// show and whenever the program goes idle after input; pointing at an item shows its prompt
// in the status bar. For the layer's own sources.

#include "cstring.h"
#include "resource_types.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>

#include <map>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolButton;

namespace platform {

class CFrameWnd;

class FrameCommandWiring : public QObject {
public:
    FrameCommandWiring(CFrameWnd& frame, QMainWindow& window);
    ~FrameCommandWiring() override;

    // The action of a command, made on first use.
    QAction* Action(UINT id);
    QAction* FindAction(UINT id) const;

    // The menu bar from a menu template: pop-ups, items with their "&" mnemonics and
    // "\t" shortcut texts, separators, grayed items.
    void BuildMenuBar(QMenuBar& bar, const MenuTemplate& menu);
    // Every entry of the table becomes a shortcut of its command's action.
    void AddAccelerators(const AcceleratorTable& table);

    // Replaces the recent-file entries of the menu with numbered paths; an empty list shows
    // the placeholder.
    void SetRecentFiles(const std::vector<CString>& paths);

    // A toolbar button of command id: prompt while pointed at (flyBy), tooltip or none.
    void WatchToolButton(QToolButton* button, UINT id, bool flyBy, bool tooltips);

    void UpdateStates(const QList<QAction*>& actions);
    void UpdateAllStates();
    void MarkDirty() { m_dirty = true; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Run(UINT id);
    void FillMenu(QMenu& menu, std::span<const MenuItemTemplate> items);
    void OnMenuAboutToShow(QMenu& menu);
    void OnIdle();
    // The prompt of a menu's item, enabled or not (Qt reports only enabled ones as hovered).
    void ShowPromptOf(const QAction* action);

    CFrameWnd& m_frame;
    QMainWindow& m_window;
    std::map<UINT, QAction*> m_actions;
    QSet<int> m_acceleratorKeys;  // QKeyCombination::toCombined()
    QHash<QObject*, UINT> m_flyByButtons;
    QSet<QObject*> m_buttonsWithoutTooltips;
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

#include "command_wiring.h"

#include "accelerator_keys.h"
#include "frame_wnd.h"
#include "qt_bridge.h"
#include "resources.h"
#include "win_app.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>

#include <exception>

namespace platform {

namespace {

// The state of one QAction as an update handler sees it.
class ActionCmdUI final : public CCmdUI {
public:
    ActionCmdUI(UINT id, QAction& action) : CCmdUI(id), m_action(action) {}

    void Enable(BOOL on) override {
        CCmdUI::Enable(on);
        m_action.setEnabled(on != FALSE);
    }
    void SetCheck(int check) override {
        CCmdUI::SetCheck(check);
        m_action.setCheckable(true);
        m_action.setChecked(check != 0);
    }
    void SetText(LPCTSTR text) override {
        CCmdUI::SetText(text);
        m_action.setText(ToQString(text));
    }

private:
    QAction& m_action;
};

constexpr int kModifierMask =
    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;

UINT CommandIdOf(const QAction* action) { return action != nullptr ? action->data().toUInt() : 0; }

}  // namespace

FrameCommandWiring::FrameCommandWiring(CFrameWnd& frame, QMainWindow& window)
    : QObject(&window), m_frame(frame), m_window(window) {
    qApp->installEventFilter(this);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &FrameCommandWiring::OnIdle);
    }
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { MarkDirty(); });
}

FrameCommandWiring::~FrameCommandWiring() = default;

QAction* FrameCommandWiring::FindAction(UINT id) const {
    const auto found = m_actions.find(id);
    return found != m_actions.end() ? found->second : nullptr;
}

QAction* FrameCommandWiring::Action(UINT id) {
    if (QAction* existing = FindAction(id)) {
        return existing;
    }
    auto* action = new QAction(&m_window);
    action->setData(id);
    action->setIconVisibleInMenu(false);
    action->setShortcutContext(Qt::WindowShortcut);
    const CString tooltip = CommandTooltip(id);
    if (!tooltip.IsEmpty()) {
        action->setToolTip(ToQString(tooltip));
    }
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    // Added to the window too, so its accelerators work whether or not a menu shows it.
    m_window.addAction(action);
    m_actions.emplace(id, action);
    return action;
}

void FrameCommandWiring::Run(UINT id) {
    AfxRunCommand(&m_frame, id);
    MarkDirty();
}

void FrameCommandWiring::BuildMenuBar(QMenuBar& bar, const MenuTemplate& menu) {
    for (const MenuItemTemplate& item : menu.items) {
        if (item.flags & MF_POPUP) {
            QMenu* popup = bar.addMenu(ToQString(item.text));
            popup->setEnabled((item.flags & MF_GRAYED) == 0);
            FillMenu(*popup, item.popup);
        } else if (item.flags & MF_SEPARATOR) {
            bar.addSeparator();
        } else {
            QAction* action = Action(item.id);
            action->setText(ToQString(item.text));
            action->setEnabled((item.flags & MF_GRAYED) == 0);
            bar.addAction(action);
        }
    }
}

void FrameCommandWiring::FillMenu(QMenu& menu, std::span<const MenuItemTemplate> items) {
    for (const MenuItemTemplate& item : items) {
        if (item.flags & MF_SEPARATOR) {
            menu.addSeparator();
        } else if (item.flags & MF_POPUP) {
            QMenu* popup = menu.addMenu(ToQString(item.text));
            popup->setEnabled((item.flags & MF_GRAYED) == 0);
            FillMenu(*popup, item.popup);
        } else {
            QAction* action = Action(item.id);
            // The menu's text, with its "&" mnemonic and its "\t" shortcut text, which
            // QMenu shows right-aligned as the shortcut column.
            action->setText(ToQString(item.text));
            action->setEnabled((item.flags & MF_GRAYED) == 0);
            menu.addAction(action);
            if (item.id == ID_FILE_MRU_FILE1) {
                m_recentMenu = &menu;
                m_recentPlaceholder = action;
                m_recentPlaceholderText = action->text();
            }
        }
    }
    connect(&menu, &QMenu::aboutToShow, this, [this, &menu] { OnMenuAboutToShow(menu); });
    connect(&menu, &QMenu::aboutToHide, this,
            [this] { m_frame.SetMessageText(AFX_IDS_IDLEMESSAGE); });
    connect(&menu, &QMenu::hovered, this, &FrameCommandWiring::ShowPromptOf);
    m_menus.insert(&menu);
    connect(&menu, &QObject::destroyed, this, [this](QObject* gone) { m_menus.remove(gone); });
}

void FrameCommandWiring::ShowPromptOf(const QAction* action) {
    if (action != nullptr) {
        m_frame.SetMessageText(action->isSeparator() || action->menu() != nullptr
                                   ? ""
                                   : CommandPrompt(CommandIdOf(action)).GetString());
    }
}

void FrameCommandWiring::AddAccelerators(const AcceleratorTable& table) {
    for (const AcceleratorEntry& entry : table.entries) {
        const std::optional<QKeyCombination> key = KeyForAccelerator(entry);
        if (!key) {
            continue;
        }
        QAction* action = Action(entry.command);
        QList<QKeySequence> shortcuts = action->shortcuts();
        shortcuts.append(QKeySequence(*key));
        action->setShortcuts(shortcuts);
        m_acceleratorKeys.insert(key->toCombined());
    }
}

static QString RecentFileMenuText(int number, const CString& path) {
    QString shown = PathToQt(path);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(shown);
}

void FrameCommandWiring::SetRecentFiles(const std::vector<CString>& paths) {
    if (m_recentMenu == nullptr || m_recentPlaceholder == nullptr) {
        return;
    }
    for (QAction* entry : m_recentEntries) {
        m_recentMenu->removeAction(entry);
    }
    m_recentEntries.clear();
    if (paths.empty()) {
        m_recentPlaceholder->setText(m_recentPlaceholderText);
        m_recentPlaceholder->setEnabled(false);
        return;
    }
    m_recentPlaceholder->setText(RecentFileMenuText(1, paths.front()));
    QAction* before = nullptr;
    const QList<QAction*> menuActions = m_recentMenu->actions();
    const qsizetype at = menuActions.indexOf(m_recentPlaceholder);
    if (at >= 0 && at + 1 < menuActions.size()) {
        before = menuActions.at(at + 1);
    }
    const std::size_t count =
        std::min<std::size_t>(paths.size(), ID_FILE_MRU_LAST - ID_FILE_MRU_FILE1 + 1);
    for (std::size_t i = 1; i < count; ++i) {
        QAction* entry = Action(ID_FILE_MRU_FILE1 + static_cast<UINT>(i));
        entry->setText(RecentFileMenuText(static_cast<int>(i) + 1, paths[i]));
        m_recentMenu->insertAction(before, entry);
        m_recentEntries.push_back(entry);
    }
    MarkDirty();
}

void FrameCommandWiring::WatchToolButton(QToolButton* button, UINT id, bool flyBy, bool tooltips) {
    if (flyBy) {
        m_flyByButtons.insert(button, id);
    }
    if (!tooltips) {
        m_buttonsWithoutTooltips.insert(button);
    }
    connect(button, &QObject::destroyed, this, [this](QObject* gone) {
        m_flyByButtons.remove(gone);
        if (m_flyByShown == gone) {
            m_flyByShown = nullptr;
        }
        m_buttonsWithoutTooltips.remove(gone);
    });
}

void FrameCommandWiring::UpdateStates(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        const UINT id = CommandIdOf(action);
        if (id == 0 || action->isSeparator() || action->menu() != nullptr) {
            continue;
        }
        ActionCmdUI ui(id, *action);
        ui.DoUpdate(&m_frame, m_frame.m_bAutoMenuEnable);
    }
}

void FrameCommandWiring::UpdateAllStates() {
    QList<QAction*> actions;
    for (const auto& [id, action] : m_actions) {
        actions.append(action);
    }
    UpdateStates(actions);
    m_dirty = false;
}

void FrameCommandWiring::OnMenuAboutToShow(QMenu& menu) {
    if (&menu == m_recentMenu) {
        if (CWinApp* app = AfxGetApp()) {
            m_frame.SetRecentFileMenu(app->GetRecentFiles());
        }
    }
    // An update handler that fails must not take the menu down with it.
    try {
        UpdateStates(menu.actions());
    } catch (const std::exception&) {
        MarkDirty();
    }
}

void FrameCommandWiring::OnIdle() {
    if (!m_dirty) {
        return;
    }
    try {
        UpdateAllStates();
    } catch (const std::exception&) {
        m_dirty = false;
    }
}

bool FrameCommandWiring::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // Text widgets claim keys such as Ctrl+C or Shift+Ins for themselves; an
            // accelerator of the frame wins, so the command goes through the message maps.
            auto* widget = qobject_cast<QWidget*>(watched);
            const auto* key = static_cast<QKeyEvent*>(event);
            const int combined = static_cast<int>(key->modifiers() & kModifierMask) | key->key();
            if (widget != nullptr && widget->window() == &m_window &&
                m_acceleratorKeys.contains(combined)) {
                return true;
            }
            break;
        }
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonRelease:
        case QEvent::FocusIn:
            MarkDirty();
            break;
        case QEvent::MouseMove:
            if (m_menus.contains(watched)) {
                auto* menu = static_cast<QMenu*>(watched);
                ShowPromptOf(
                    menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
            }
            break;
        case QEvent::Enter:
            if (const auto found = m_flyByButtons.constFind(watched);
                found != m_flyByButtons.cend()) {
                m_frame.SetMessageText(*found);
                m_flyByShown = watched;
            } else if (auto* widget = qobject_cast<QWidget*>(watched);
                       m_flyByShown != nullptr && widget != nullptr &&
                       widget->window() == &m_window &&
                       !widget->isAncestorOf(static_cast<QWidget*>(m_flyByShown))) {
                m_frame.SetMessageText(AFX_IDS_IDLEMESSAGE);
                m_flyByShown = nullptr;
            }
            break;
        case QEvent::Leave:
            if (watched == m_flyByShown) {
                m_frame.SetMessageText(AFX_IDS_IDLEMESSAGE);
                m_flyByShown = nullptr;
            }
            break;
        case QEvent::ToolTip:
            if (m_buttonsWithoutTooltips.contains(watched)) {
                return true;
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace platform

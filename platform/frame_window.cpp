#include "frame_window.h"

#include "accelerator_keys.h"
#include "qt_bridge.h"
#include "resources.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
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

private:
    QAction& m_action;
};

constexpr int kModifierMask =
    Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;

UINT CommandIdOf(const QAction* action) { return action != nullptr ? action->data().toUInt() : 0; }

QString RecentFileMenuText(int number, const QString& path) {
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(shown);
}

}  // namespace

FrameWindow::FrameWindow(Handlers handlers) : m_handlers(std::move(handlers)) {
    setObjectName(QStringLiteral("mainFrame"));
    qApp->installEventFilter(this);
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &FrameWindow::OnIdle);
    }
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { MarkDirty(); });
}

FrameWindow::~FrameWindow() { qApp->removeEventFilter(this); }

QAction* FrameWindow::Action(UINT id) {
    if (const auto found = m_actions.find(id); found != m_actions.end()) {
        return found->second;
    }
    auto* action = new QAction(this);
    action->setData(id);
    action->setIconVisibleInMenu(false);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setToolTip(ToQString(CommandTooltip(id)));
    connect(action, &QAction::triggered, this, [this, id] {
        m_handlers.command(id);
        ForgetHoverAwayFromPointer();
        MarkDirty();
    });
    // Added to the window too, so its accelerators work whether or not a menu shows it.
    addAction(action);
    m_actions.emplace(id, action);
    return action;
}

void FrameWindow::BuildMenuBar(const MenuTemplate& menu) {
    // The program's menu bar holds pop-up menus only.
    for (const MenuItemTemplate& item : menu.items) {
        QMenu* popup = menuBar()->addMenu(ToQString(item.text));
        popup->setEnabled((item.flags & MF_GRAYED) == 0);
        FillMenu(*popup, item.popup);
    }
}

void FrameWindow::FillMenu(QMenu& menu, std::span<const MenuItemTemplate> items) {
    for (const MenuItemTemplate& item : items) {
        if (item.flags & MF_SEPARATOR) {
            menu.addSeparator();
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
    connect(&menu, &QMenu::aboutToShow, this, [this, &menu] { UpdateStates(menu.actions()); });
    connect(&menu, &QMenu::aboutToHide, this, [this] { ShowPrompt(0); });
    connect(&menu, &QMenu::hovered, this, &FrameWindow::ShowPromptOf);
    m_menus.insert(&menu);
}

void FrameWindow::AddAccelerators(const AcceleratorTable& table) {
    for (const AcceleratorEntry& entry : table.entries) {
        if (const std::optional<QKeyCombination> key = KeyForAccelerator(entry)) {
            QAction* action = Action(entry.command);
            action->setShortcuts(action->shortcuts() << QKeySequence(*key));
            m_acceleratorKeys.insert(key->toCombined());
        }
    }
}

void FrameWindow::SetRecentFiles(const std::vector<QString>& paths) {
    if (m_recentMenu == nullptr) {
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
    const QList<QAction*> menuActions = m_recentMenu->actions();
    const qsizetype at = menuActions.indexOf(m_recentPlaceholder);
    QAction* before = at + 1 < menuActions.size() ? menuActions.at(at + 1) : nullptr;
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

void FrameWindow::ForgetHoverAwayFromPointer() {
    // A modal box opened by a toolbar button takes the pointer while it is up, so the
    // button never hears the pointer leave: it would stay drawn raised (and its prompt
    // shown) after the box closes, wherever the pointer went. Tell each button the
    // pointer is not over it any more.
    const QPoint pointer = QCursor::pos();
    for (QToolButton* button : findChildren<QToolButton*>()) {
        if (button->underMouse() && !button->rect().contains(button->mapFromGlobal(pointer))) {
            button->setAttribute(Qt::WA_UnderMouse, false);
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(button, &leave);
            button->update();
        }
    }
}

void FrameWindow::WatchFlyBy(QWidget* button, UINT id) {
    m_flyByButtons.insert(button, id);
    connect(button, &QObject::destroyed, this, [this](QObject* gone) {
        m_flyByButtons.remove(gone);
        if (m_flyByShown == gone) {
            m_flyByShown = nullptr;
        }
    });
}

void FrameWindow::SetMessagePane(QLabel* pane) {
    m_messagePane = pane;
    ShowPrompt(0);
}

void FrameWindow::ShowPrompt(UINT id) {
    ShowMessage(id == 0 ? ToQString(FindStringResource(AFX_IDS_IDLEMESSAGE))
                        : ToQString(CommandPrompt(id)));
}

void FrameWindow::ShowMessage(const QString& text) {
    if (m_messagePane != nullptr) {
        m_messagePane->setText(text);
    }
}

void FrameWindow::ShowPromptOf(const QAction* action) {
    if (action != nullptr) {
        ShowMessage(action->isSeparator() || action->menu() != nullptr
                        ? QString()
                        : ToQString(CommandPrompt(CommandIdOf(action))));
    }
}

void FrameWindow::UpdateStates(const QList<QAction*>& actions) {
    // An update handler that fails must not take the menu or the event loop down with it;
    // the next refresh asks again.
    try {
        for (QAction* action : actions) {
            const UINT id = CommandIdOf(action);
            if (id != 0 && !action->isSeparator() && action->menu() == nullptr) {
                ActionCmdUI ui(id, *action);
                ui.DoUpdate(m_handlers.route);
            }
        }
    } catch (const std::exception&) {
        MarkDirty();
    }
}

void FrameWindow::UpdateAllStates() {
    m_dirty = false;
    QList<QAction*> actions;
    for (const auto& [id, action] : m_actions) {
        actions.append(action);
    }
    UpdateStates(actions);
}

void FrameWindow::OnIdle() {
    if (m_dirty) {
        UpdateAllStates();
    }
}

void FrameWindow::closeEvent(QCloseEvent* event) {
    // The close box asks to save like File > Exit; Cancel keeps the window open, and so
    // does a save that failed on the way.
    bool close = false;
    AfxReportingFailures([&] { close = m_handlers.close(); });
    event->setAccepted(close);
}

bool FrameWindow::event(QEvent* event) {
    // Qt's own status tips would overwrite the message pane with empty texts; the frame
    // shows the commands' prompts itself.
    if (event->type() == QEvent::StatusTip) {
        return true;
    }
    return QMainWindow::event(event);
}

bool FrameWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // Text widgets claim keys such as Ctrl+C or Shift+Ins for themselves; an
            // accelerator of the frame wins, so the command goes through the message maps.
            auto* widget = qobject_cast<QWidget*>(watched);
            const auto* key = static_cast<QKeyEvent*>(event);
            const int combined = static_cast<int>(key->modifiers() & kModifierMask) | key->key();
            if (widget != nullptr && widget->window() == this &&
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
                const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
                ShowPromptOf(static_cast<QMenu*>(watched)->actionAt(at));
            }
            break;
        case QEvent::Enter:
            if (const auto found = m_flyByButtons.constFind(watched);
                found != m_flyByButtons.cend()) {
                ShowPrompt(*found);
                m_flyByShown = watched;
            } else if (auto* widget = qobject_cast<QWidget*>(watched);
                       m_flyByShown != nullptr && widget != nullptr && widget->window() == this &&
                       !widget->isAncestorOf(static_cast<QWidget*>(m_flyByShown))) {
                ShowPrompt(0);
                m_flyByShown = nullptr;
            }
            break;
        case QEvent::Leave:
            if (watched == m_flyByShown) {
                ShowPrompt(0);
                m_flyByShown = nullptr;
            }
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace platform

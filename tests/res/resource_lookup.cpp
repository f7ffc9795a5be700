#include "resource_lookup.h"

#include "resource_ids.h"

namespace restest {

const platform::ResourceModule& Module() { return VorlexiResources(); }

std::optional<std::string> FindString(platform::UINT id) {
    for (const auto& entry : Module().strings) {
        if (entry.id == id) return std::string(entry.text);
    }
    return std::nullopt;
}

namespace {
void CollectCommands(std::span<const platform::MenuItemTemplate> items,
                     std::vector<const platform::MenuItemTemplate*>& commands) {
    for (const auto& item : items) {
        if (item.flags & platform::MF_POPUP) {
            CollectCommands(item.popup, commands);
        } else if (!(item.flags & platform::MF_SEPARATOR)) {
            commands.push_back(&item);
        }
    }
}
}  // namespace

std::vector<const platform::MenuItemTemplate*> MenuCommands() {
    std::vector<const platform::MenuItemTemplate*> commands;
    for (const auto& menu : Module().menus) {
        if (menu.id == IDR_MAINFRAME) CollectCommands(menu.items, commands);
    }
    return commands;
}

std::vector<platform::UINT> ToolbarItems() {
    for (const auto& toolbar : Module().toolbars) {
        if (toolbar.id == IDR_MAINFRAME && toolbar.words.size() >= 4) {
            return {toolbar.words.begin() + 4, toolbar.words.end()};
        }
    }
    return {};
}

const platform::DialogTemplate* FindDialog(platform::UINT id) {
    for (const auto& dialog : Module().dialogs) {
        if (dialog.id == id) return &dialog;
    }
    return nullptr;
}

}  // namespace restest

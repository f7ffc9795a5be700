#include "resources.h"

namespace platform {

namespace {

const ResourceModule g_emptyModule{};
const ResourceModule* g_module = &g_emptyModule;

template <class Table>
auto FindById(const Table& table, UINT id) -> decltype(&table[0]) {
    for (const auto& entry : table) {
        if (entry.id == id) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

void AfxSetResourceModule(const ResourceModule& module) { g_module = &module; }

const char* FindStringResource(UINT id) {
    const StringTableEntry* entry = FindById(g_module->strings, id);
    return entry != nullptr ? entry->text : nullptr;
}

const MenuTemplate* FindMenuResource(UINT id) { return FindById(g_module->menus, id); }

const AcceleratorTable* FindAcceleratorResource(UINT id) {
    return FindById(g_module->accelerators, id);
}

const BitmapResource* FindBitmapResource(UINT id) { return FindById(g_module->bitmaps, id); }

const IconResource* FindIconResource(UINT id) { return FindById(g_module->icons, id); }

const ToolbarResource* FindToolbarResource(UINT id) { return FindById(g_module->toolbars, id); }

const DialogTemplate* FindDialogResource(UINT id) { return FindById(g_module->dialogs, id); }

const VersionInfo* FindVersionResource() { return g_module->version; }

std::string_view CommandPrompt(UINT id) {
    const char* text = FindStringResource(id);
    const std::string_view whole = text != nullptr ? text : "";
    return whole.substr(0, whole.find('\n'));
}

std::string_view CommandTooltip(UINT id) {
    const char* text = FindStringResource(id);
    const std::string_view whole = text != nullptr ? text : "";
    const std::size_t newline = whole.find('\n');
    return newline == std::string_view::npos ? std::string_view() : whole.substr(newline + 1);
}

}  // namespace platform

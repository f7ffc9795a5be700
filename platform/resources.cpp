#include "resources.h"

#include "win_app.h"

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

const ResourceModule& AfxGetResourceModule() { return *g_module; }

const char* FindStringResource(UINT id) {
    const StringTableEntry* entry = FindById(g_module->strings, id);
    return entry != nullptr ? entry->text : nullptr;
}

BOOL LoadStringResource(UINT id, CString& text) {
    const char* found = FindStringResource(id);
    text = found;
    return found != nullptr;
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

CString CommandPrompt(UINT id) {
    const CString text(FindStringResource(id));
    const int newline = text.Find('\n');
    return newline < 0 ? text : text.Left(newline);
}

CString CommandTooltip(UINT id) {
    const CString text(FindStringResource(id));
    const int newline = text.Find('\n');
    return newline < 0 ? CString() : text.Mid(newline + 1);
}

}  // namespace platform

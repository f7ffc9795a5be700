// Accelerator table 128. Besides the Ctrl letters, the older editing keys
// (Alt+Backspace, Shift+Del, Ctrl+Ins, Shift+Ins) and the pane keys F6 and Shift+F6.

#include "resource_ids.h"
#include "resource_tables.h"

namespace vorlexi::res {
namespace {

using platform::FALT;
using platform::FCONTROL;
using platform::FSHIFT;
using platform::FVIRTKEY;

constexpr platform::AcceleratorEntry kMainFrameKeys[] = {
    {FVIRTKEY | FCONTROL, 'N', platform::ID_FILE_NEW},
    {FVIRTKEY | FCONTROL, 'O', platform::ID_FILE_OPEN},
    {FVIRTKEY | FCONTROL, 'S', platform::ID_FILE_SAVE},
    {FVIRTKEY | FCONTROL, 'P', platform::ID_FILE_PRINT},
    {FVIRTKEY | FCONTROL, 'Z', platform::ID_EDIT_UNDO},
    {FVIRTKEY | FCONTROL, 'X', platform::ID_EDIT_CUT},
    {FVIRTKEY | FCONTROL, 'C', platform::ID_EDIT_COPY},
    {FVIRTKEY | FCONTROL, 'V', platform::ID_EDIT_PASTE},
    {FVIRTKEY | FALT, platform::VK_BACK, platform::ID_EDIT_UNDO},
    {FVIRTKEY | FSHIFT, platform::VK_DELETE, platform::ID_EDIT_CUT},
    {FVIRTKEY | FCONTROL, platform::VK_INSERT, platform::ID_EDIT_COPY},
    {FVIRTKEY | FSHIFT, platform::VK_INSERT, platform::ID_EDIT_PASTE},
    {FVIRTKEY, platform::VK_F6, platform::ID_NEXT_PANE},
    {FVIRTKEY | FSHIFT, platform::VK_F6, platform::ID_PREV_PANE},
};

constexpr platform::AcceleratorTable kTables[] = {
    {IDR_MAINFRAME, kMainFrameKeys},
};

}  // namespace

std::span<const platform::AcceleratorTable> AcceleratorTables() { return kTables; }

}  // namespace vorlexi::res

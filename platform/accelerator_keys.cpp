#include "accelerator_keys.h"

namespace platform {

namespace {

std::optional<Qt::Key> QtKeyForVirtualKey(UINT vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) {
        return static_cast<Qt::Key>(vk);  // Qt's letter and digit keys share the ASCII codes
    }
    if (vk >= 0x70 && vk <= 0x87) {
        return static_cast<Qt::Key>(Qt::Key_F1 + static_cast<int>(vk - 0x70));
    }
    // The editing keys the resource compiler names (VK_BACK, VK_INSERT, VK_DELETE).
    switch (vk) {
        case VK_BACK:
            return Qt::Key_Backspace;
        case VK_INSERT:
            return Qt::Key_Insert;
        case VK_DELETE:
            return Qt::Key_Delete;
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<QKeyCombination> KeyForAccelerator(const AcceleratorEntry& entry) {
    const std::optional<Qt::Key> key = QtKeyForVirtualKey(entry.key);
    if ((entry.flags & FVIRTKEY) == 0 || !key) {
        return std::nullopt;
    }
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ControlModifier, (entry.flags & FCONTROL) != 0);
    modifiers.setFlag(Qt::ShiftModifier, (entry.flags & FSHIFT) != 0);
    modifiers.setFlag(Qt::AltModifier, (entry.flags & FALT) != 0);
    return QKeyCombination(modifiers, *key);
}

}  // namespace platform

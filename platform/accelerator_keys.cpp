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
    switch (vk) {
        case 0x08:
            return Qt::Key_Backspace;
        case 0x09:
            return Qt::Key_Tab;
        case 0x0D:
            return Qt::Key_Return;
        case 0x1B:
            return Qt::Key_Escape;
        case 0x20:
            return Qt::Key_Space;
        case 0x21:
            return Qt::Key_PageUp;
        case 0x22:
            return Qt::Key_PageDown;
        case 0x23:
            return Qt::Key_End;
        case 0x24:
            return Qt::Key_Home;
        case 0x25:
            return Qt::Key_Left;
        case 0x26:
            return Qt::Key_Up;
        case 0x27:
            return Qt::Key_Right;
        case 0x28:
            return Qt::Key_Down;
        case 0x2D:
            return Qt::Key_Insert;
        case 0x2E:
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
    if (entry.flags & FCONTROL) {
        modifiers |= Qt::ControlModifier;
    }
    if (entry.flags & FSHIFT) {
        modifiers |= Qt::ShiftModifier;
    }
    if (entry.flags & FALT) {
        modifiers |= Qt::AltModifier;
    }
    return QKeyCombination(modifiers, *key);
}

}  // namespace platform

#include "shown_path.h"

#include <algorithm>

namespace safe_write {
namespace {

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

}  // namespace

std::string ShownPath(const std::string& path) {
    if (std::none_of(path.begin(), path.end(), [](char c) { return IsControl(c); })) {
        return path;
    }
    static constexpr char kHex[] = "0123456789abcdef";
    std::string shown = "\"";
    for (const char c : path) {
        const unsigned char byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\n':
                shown += "\\n";
                break;
            case '\t':
                shown += "\\t";
                break;
            case '\r':
                shown += "\\r";
                break;
            case '"':
            case '\\':
                shown += '\\';
                shown += c;
                break;
            default:
                if (IsControl(byte)) {
                    shown += "\\x";
                    shown += kHex[byte >> 4];
                    shown += kHex[byte & 0xF];
                } else {
                    shown += c;
                }
        }
    }
    return shown + "\"";
}

}  // namespace safe_write

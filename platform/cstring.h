#pragma once
// The framework's string: single-byte text in Windows-1252, as the program's resources,
// files and numbers are. It meets Qt's Unicode only inside the layer (qt_bridge.h).

#include "win_types.h"

#include <string>
#include <string_view>

namespace platform {

class CString {
public:
    CString() = default;
    CString(const char* text) : m_text(text != nullptr ? text : "") {}  // null: empty
    explicit CString(std::string_view text) : m_text(text) {}
    explicit CString(std::string text) : m_text(std::move(text)) {}

    CString& operator=(const char* text) {
        m_text = text != nullptr ? text : "";
        return *this;
    }

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // The bytes, terminated by NUL; valid until the string changes.
    operator LPCTSTR() const { return m_text.c_str(); }
    const char* GetString() const { return m_text.c_str(); }
    std::string_view View() const { return m_text; }
    const std::string& Str() const { return m_text; }
    char operator[](int index) const { return m_text.at(static_cast<std::size_t>(index)); }

    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }
    CString& operator+=(const char* text) { return *this += CString(text); }
    CString& operator+=(char ch) {
        m_text += ch;
        return *this;
    }

    friend bool operator==(const CString& a, const CString& b) = default;
    friend bool operator==(const CString& a, const char* b) { return a == CString(b); }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend CString operator+(CString a, const char* b) { return a += b; }

private:
    std::string m_text;
};

}  // namespace platform

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
    CString(const char* text);  // a null pointer gives the empty string
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    explicit CString(std::string_view text) : m_text(text) {}
    explicit CString(std::string text) : m_text(std::move(text)) {}

    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // The bytes, terminated by NUL; valid until the string changes.
    operator LPCTSTR() const { return m_text.c_str(); }
    const char* GetString() const { return m_text.c_str(); }
    std::string_view View() const { return m_text; }
    const std::string& Str() const { return m_text; }

    char GetAt(int index) const { return m_text.at(static_cast<std::size_t>(index)); }
    char operator[](int index) const { return GetAt(index); }
    void SetAt(int index, char ch) { m_text.at(static_cast<std::size_t>(index)) = ch; }

    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // Index of the first match at or after start, -1 if there is none.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;

    int Compare(const char* other) const;

    // printf-style formatting. Numbers always use the C locale ("1.5", never "1,5"),
    // whatever locale the program runs in.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // A writable buffer of at least minLength bytes plus the terminator; ReleaseBuffer
    // takes the length up to the first NUL (or newLength when given).
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const char* b);
    friend auto operator<=>(const CString& a, const CString& b) { return a.m_text <=> b.m_text; }

private:
    std::string m_text;
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);

}  // namespace platform

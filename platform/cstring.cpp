#include "cstring.h"

#include <locale.h>
#include <algorithm>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace platform {

namespace {

// vsnprintf in the C locale for this thread only, whatever setlocale() the program (or Qt,
// which calls setlocale(LC_ALL, "") on start-up) has chosen.
class CLocaleScope {
public:
    CLocaleScope() : m_locale(newlocale(LC_ALL_MASK, "C", nullptr)) {
        if (m_locale != nullptr) {
            m_previous = uselocale(m_locale);
        }
    }
    ~CLocaleScope() {
        if (m_locale != nullptr) {
            uselocale(m_previous);
            freelocale(m_locale);
        }
    }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_locale;
    locale_t m_previous = nullptr;
};

std::size_t Clamp(int value, std::size_t limit) {
    if (value < 0) {
        return 0;
    }
    return std::min(static_cast<std::size_t>(value), limit);
}

}  // namespace

CString::CString(const char* text) : m_text(text != nullptr ? text : "") {}

CString::CString(const char* text, int length)
    : m_text(text != nullptr && length > 0 ? std::string(text, static_cast<std::size_t>(length))
                                           : std::string()) {}

CString::CString(char ch, int repeat) : m_text(Clamp(repeat, std::string::npos), ch) {}

CString& CString::operator=(const char* text) {
    m_text = text != nullptr ? text : "";
    return *this;
}

CString& CString::operator=(char ch) {
    m_text.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text != nullptr) {
        m_text += text;
    }
    return *this;
}

CString& CString::operator+=(char ch) {
    m_text += ch;
    return *this;
}

CString CString::Left(int count) const {
    return CString(m_text.substr(0, Clamp(count, m_text.size())));
}

CString CString::Mid(int first) const {
    const std::size_t start = Clamp(first, m_text.size());
    return CString(m_text.substr(start));
}

CString CString::Mid(int first, int count) const {
    const std::size_t start = Clamp(first, m_text.size());
    return CString(m_text.substr(start, Clamp(count, m_text.size() - start)));
}

CString CString::Right(int count) const {
    const std::size_t n = Clamp(count, m_text.size());
    return CString(m_text.substr(m_text.size() - n));
}

int CString::Find(char ch, int start) const {
    if (start < 0 || static_cast<std::size_t>(start) >= m_text.size()) {
        return -1;
    }
    const std::size_t at = m_text.find(ch, static_cast<std::size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* sub, int start) const {
    if (sub == nullptr || start < 0 || static_cast<std::size_t>(start) > m_text.size()) {
        return -1;
    }
    const std::size_t at = m_text.find(sub, static_cast<std::size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Compare(const char* other) const {
    const int result = m_text.compare(other != nullptr ? other : "");
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

void CString::Format(const char* format, ...) {
    CLocaleScope cLocale;
    va_list args;
    va_start(args, format);
    va_list measureArgs;
    va_copy(measureArgs, args);
    const int length = std::vsnprintf(nullptr, 0, format, measureArgs);
    va_end(measureArgs);
    if (length < 0) {
        va_end(args);
        m_text.clear();
        return;
    }
    std::string result(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(result.data(), result.size(), format, args);
    va_end(args);
    result.resize(static_cast<std::size_t>(length));
    m_text = std::move(result);
}

char* CString::GetBuffer(int minLength) {
    const std::size_t wanted = Clamp(minLength, std::string::npos);
    if (m_text.size() < wanted) {
        m_text.resize(wanted, '\0');
    }
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        m_text.resize(std::strlen(m_text.c_str()));
    } else {
        m_text.resize(Clamp(newLength, m_text.size()));
    }
}

bool operator==(const CString& a, const char* b) { return a.m_text == (b != nullptr ? b : ""); }

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b) {
    CString result(a);
    result += b;
    return result;
}

}  // namespace platform

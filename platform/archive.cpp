#include "archive.h"

#include <algorithm>
#include <cstring>

namespace platform {

CArchive::CArchive(Mode mode, std::string bytes, CString fileName)
    : m_mode(mode),
      m_bytes(mode == load ? std::move(bytes) : std::string()),
      m_fileName(std::move(fileName)) {}

UINT CArchive::Read(void* buffer, UINT count) {
    if (m_mode != load || buffer == nullptr) {
        return 0;
    }
    const std::size_t n = std::min<std::size_t>(count, Remaining());
    std::memcpy(buffer, m_bytes.data() + m_readPosition, n);
    m_readPosition += n;
    return static_cast<UINT>(n);
}

std::string CArchive::ReadAll() {
    if (m_mode != load) {
        return {};
    }
    std::string rest = m_bytes.substr(m_readPosition);
    m_readPosition = m_bytes.size();
    return rest;
}

void CArchive::Write(const void* buffer, UINT count) {
    if (m_mode == store && buffer != nullptr) {
        m_bytes.append(static_cast<const char*>(buffer), count);
    }
}

void CArchive::Write(std::string_view bytes) {
    if (m_mode == store) {
        m_bytes.append(bytes);
    }
}

}  // namespace platform

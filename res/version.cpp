// The version record (resource 1). The file and product version stay at 1.0.0.1
// while the About box names the release (the project's version).

#include "resource_ids.h"
#include "resource_tables.h"

namespace vorlexi::res {
namespace {

using namespace platform;

constexpr VersionString kUsEnglishStrings[] = {
    {"CompanyName", ""},
    {"FileDescription", "vorlexi MFC Application"},
    {"FileVersion", "1, 0, 0, 1"},
    {"InternalName", "vorlexi"},
    {"LegalCopyright", kCopyrightLine},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "vorlexi.EXE"},
    {"ProductName", "vorlexi Application"},
    {"ProductVersion", "1, 0, 0, 1"},
};

constexpr UINT kUsEnglish = 0x0409;
constexpr UINT kUnicodeCodePage = 1200;

constexpr VersionInfo kVersion{
    .fileVersion = {1, 0, 0, 1},
    .productVersion = {1, 0, 0, 1},
    .language = kUsEnglish,
    .codePage = kUnicodeCodePage,
    .strings = kUsEnglishStrings,
    .fileOS = VOS__WINDOWS32,
    .fileType = VFT_APP,
    .fileFlags = 0,
};

}  // namespace

const VersionInfo& Version() { return kVersion; }

}  // namespace vorlexi::res

#pragma once
// A path as an error line shows it. A name may hold any byte but '/' and NUL: a line
// feed or another control character in it would split the one-line message or move the
// terminal's cursor, so such a name is quoted with C escapes ("a\nb"). Any other name
// is shown as it is.

#include <string>

namespace safe_write {

std::string ShownPath(const std::string& path);

}  // namespace safe_write

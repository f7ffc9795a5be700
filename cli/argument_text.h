#pragma once
// Command-line arguments become the program's Windows-1252 entry texts: read as UTF-8
// where they are valid UTF-8 (so "2.2µ" typed in a terminal reads as micro), otherwise
// taken as raw Windows-1252 bytes (so a byte 0xB5 from a script also reads as micro).

#include <string>
#include <string_view>

std::string EntryTextFromArgument(std::string_view argument);

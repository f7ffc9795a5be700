#pragma once
// Entries read whole. The desktop program reads a rate, gain or extra zero from its first
// 31 characters and stops at the first character that does not fit, so "44,1k" is 44 Hz.
// Its report keeps that reading; a line for another program or a file equalised at the
// wrong rate would pass it on unseen, so those refuse what is not read to the end.

#include <optional>
#include <string>

// Which entry: a frequency may end in "Hz" ("44.1kHz", "20000 Hz").
enum class EntryKind { Frequency, Factor };

// The error line when the argument of `option` holds a number and more than it: text
// after it (`--sample-freq: "44,1k" would be read as 44, leaving ",1k" unread`), before
// it, or beyond the 31 characters read. Nothing for an entry read whole, or for one with
// no number at all, which the caller judges.
std::optional<std::string> PartlyReadEntryMessage(const std::string& option,
                                                  const std::string& argument, EntryKind kind);

#pragma once
// Standard input as an input file. libsndfile cannot seek a pipe, and apply reads an
// input twice (the peak first, for an integer output or --auto-gain), so a pipe is
// copied to a file that has no name: whatever ends the process, SIGKILL included,
// nothing is left behind.

#include <optional>
#include <string>

// Makes standard input a regular file at its start: as it is when it already is one,
// else a copy of everything a pipe brings, in $TMPDIR (or /tmp). Nothing on success,
// else the error line.
std::optional<std::string> KeepStandardInputSeekable();

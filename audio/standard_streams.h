#pragma once
// Standard input and output for audio files.
//
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

// libsndfile writes FLAC to a pipe as if it could go back: at the end, the totals meant
// for its header follow the last frame, and decoders stumble on them. Such a stream is
// written to a file without a name instead, then copied out whole.
// The descriptor of a new file without a name in $TMPDIR (or /tmp), or -1 with errno set.
int UnnamedTemporaryFile();
// Copies the file from its start to standard output: nothing on success, else the error
// line.
std::optional<std::string> CopyToStandardOutput(int file);

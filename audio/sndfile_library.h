#pragma once
// libsndfile, loaded when apply first opens a file rather than when vorlexi-calc starts:
// the library and the codecs it links (FLAC, Ogg, Opus, MPEG) cost a run of the print
// command more than everything else it does.

#include <sndfile.h>

// The functions of libsndfile that the audio library calls.
struct SndfileLibrary {
    decltype(&sf_open_fd) openFd;
    decltype(&sf_close) close;
    decltype(&sf_command) command;
    decltype(&sf_error) error;
    decltype(&sf_strerror) strerror;
    decltype(&sf_format_check) formatCheck;
    decltype(&sf_get_string) getString;
    decltype(&sf_set_string) setString;
    decltype(&sf_seek) seek;
    decltype(&sf_readf_float) readfFloat;
    decltype(&sf_readf_double) readfDouble;
    decltype(&sf_writef_int) writefInt;
    decltype(&sf_writef_float) writefFloat;
    decltype(&sf_writef_double) writefDouble;
};

// Loads the library on the first call; thread-safe. Throws std::runtime_error naming the
// library and the loader's reason when it or one of its functions cannot be found.
const SndfileLibrary& Sndfile();

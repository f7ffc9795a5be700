#include "sndfile_library.h"

#include "shared_library.h"

namespace {

SndfileLibrary Load() {
    // The shared library's name as the build found it, for example "libsndfile.so.1".
    const SharedLibrary library(VORLEXI_SNDFILE_LIBRARY);
    SndfileLibrary sndfile{};
    library.Resolve("sf_open_fd", sndfile.openFd);
    library.Resolve("sf_close", sndfile.close);
    library.Resolve("sf_command", sndfile.command);
    library.Resolve("sf_error", sndfile.error);
    library.Resolve("sf_strerror", sndfile.strerror);
    library.Resolve("sf_format_check", sndfile.formatCheck);
    library.Resolve("sf_get_string", sndfile.getString);
    library.Resolve("sf_set_string", sndfile.setString);
    library.Resolve("sf_seek", sndfile.seek);
    library.Resolve("sf_readf_float", sndfile.readfFloat);
    library.Resolve("sf_readf_double", sndfile.readfDouble);
    library.Resolve("sf_writef_int", sndfile.writefInt);
    library.Resolve("sf_writef_float", sndfile.writefFloat);
    library.Resolve("sf_writef_double", sndfile.writefDouble);
    return sndfile;
}

}  // namespace

const SndfileLibrary& Sndfile() {
    // A failed load throws out of the initialisation, and the next call tries again.
    static const SndfileLibrary sndfile = Load();
    return sndfile;
}

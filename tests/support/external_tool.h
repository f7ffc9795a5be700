#pragma once
// Runs the audio tools a user would paste our lines into, on an impulse, so that the
// tests check the lines the way the tools read them.

#include <string>
#include <vector>

// A scratch folder that is removed with everything in it when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string Path(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Writes raw little-endian 32-bit floats.
void WriteFloats(const std::string& path, const std::vector<float>& samples);
std::vector<float> ReadFloats(const std::string& path);
std::string ReadText(const std::string& path);

// Runs a shell command; the exit status, or -1 if it could not run.
int RunCommand(const std::string& command);

// Wraps text in single quotes for the shell.
std::string ShellQuoted(const std::string& text);

#include "response/cascade.h"

// y[n] = (b0 x[n] + b1 x[n-1] + b2 x[n-2] - a1 y[n-1] - a2 y[n-2]) / a0 for a unit
// impulse scaled by `amplitude`, in double precision.
std::vector<double> ImpulseResponse(const double (&b)[3], const double (&a)[3], double amplitude,
                                    std::size_t length);

// The impulse response of the first `sections` sections of a cascade (all by default),
// each filtering the output of the one before.
std::vector<double> CascadeImpulseResponse(const Cascade& cascade, double amplitude,
                                           std::size_t length, std::size_t sections = 1000);

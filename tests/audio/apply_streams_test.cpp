// apply's inputs and outputs beyond plain lossless files: standard input and output,
// the lossy codecs libsndfile reads and writes, and the names it cannot write.
#include <gtest/gtest.h>

#include "apply_run.h"
#include "external_tool.h"
#include "sound_files.h"
#include "test_folder.h"

namespace {

// apply through the shell, for pipes.
ProcessResult ApplyInShell(const std::string& command) {
    return RunProcess({"/bin/sh", "-c", command, VORLEXI_CALC_PATH});
}

void WriteNoise(const std::string& path, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
    WriteSound(path, {format, 48000, 2, Noise(2 * 24000, 0.05, 7u), {}});
}

bool LibraryWrites(int format) {
    SF_INFO info{};
    info.format = format;
    info.channels = 2;
    info.samplerate = 48000;
    return sf_format_check(&info) != 0;
}

TEST(ApplyStreams, StandardInputGivesTheSameFileAsTheNamedInputAndLeavesNothing) {
    TestFolder folder;
    WriteNoise(folder.Path("in.wav"));
    // A 16-bit output reads the input twice (its peak first): a pipe cannot be.
    const ProcessResult named = Apply({"-q", folder.Path("in.wav"), "-o", folder.Path("a.wav")});
    ASSERT_EQ(named.exitStatus, 0) << named.err;
    const ProcessResult piped = ApplyInShell(
        "cat " + ShellQuoted(folder.Path("in.wav")) + " | TMPDIR=" + ShellQuoted(folder.Path(".")) +
        " \"$0\" apply - -o " + ShellQuoted(folder.Path("b.wav")));
    ASSERT_EQ(piped.exitStatus, 0) << piped.err;
    EXPECT_NE(piped.err.find("standard input -> "), std::string::npos) << piped.err;
    EXPECT_EQ(ReadFile(folder.Path("a.wav")), ReadFile(folder.Path("b.wav")));
    EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"a.wav", "b.wav", "in.wav"}))
        << "the copy of standard input has no name";

    const ProcessResult unnamed = Apply({"-", "--output-dir", folder.Path(".")});
    EXPECT_EQ(unnamed.exitStatus, 2);
    EXPECT_NE(unnamed.err.find("standard input has no name"), std::string::npos) << unnamed.err;
}

TEST(ApplyStreams, StandardOutputStreamsWhatCanStreamAndRefusesTheRest) {
    TestFolder folder;
    const std::string in = folder.Path("in.wav");
    WriteNoise(in);
    const ProcessResult file =
        Apply({"-q", "--format-out", "flac", in, "-o", folder.Path("file.flac")});
    ASSERT_EQ(file.exitStatus, 0) << file.err;
    const ProcessResult piped =
        ApplyInShell("\"$0\" apply -q --format-out flac " + ShellQuoted(in) + " -o - | cat > " +
                     ShellQuoted(folder.Path("piped.flac")));
    ASSERT_EQ(piped.exitStatus, 0) << piped.err;
    // libsndfile would append the header's totals to a FLAC stream; this one is whole.
    EXPECT_EQ(ReadFile(folder.Path("piped.flac")), ReadFile(folder.Path("file.flac")));
    const ProcessResult au = ApplyInShell("\"$0\" apply -q --format-out au " + ShellQuoted(in) +
                                          " -o - | cat > " + ShellQuoted(folder.Path("piped.au")));
    ASSERT_EQ(au.exitStatus, 0) << au.err;
    const Sound fromPipe = ReadSound(folder.Path("piped.au"));
    EXPECT_EQ(fromPipe.format, SF_FORMAT_AU | SF_FORMAT_PCM_16);
    EXPECT_EQ(fromPipe.samples, ReadSound(folder.Path("file.flac")).samples);

    // WAV is finished by going back to its header.
    const ProcessResult wav = ApplyInShell("\"$0\" apply " + ShellQuoted(in) + " -o - | cat");
    EXPECT_EQ(wav.exitStatus, 0) << "the pipe's last command";
    EXPECT_NE(wav.err.find("standard output: WAV is finished by going back to its header"),
              std::string::npos)
        << wav.err;
    EXPECT_NE(wav.err.find("--format-out flac, au"), std::string::npos) << wav.err;
    EXPECT_EQ(wav.out, "");
}

TEST(ApplyStreams, LossyFilesAreReadAndWrittenInTheirOwnCodec) {
    const struct {
        const char* name;
        int format;
    } codecs[] = {
        {"out.mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III},
        {"out.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS},
        {"out.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS},
    };
    for (const auto& k : codecs) {
        SCOPED_TRACE(k.name);
        if (!LibraryWrites(k.format)) {
            ADD_FAILURE() << "this libsndfile does not write " << k.name;
            continue;
        }
        TestFolder folder;
        WriteNoise(folder.Path("in.wav"));
        const ProcessResult lossy =
            Apply({"-q", folder.Path("in.wav"), "-o", folder.Path(k.name), "--auto-gain"});
        ASSERT_EQ(lossy.exitStatus, 0) << lossy.err;
        EXPECT_EQ(ReadSound(folder.Path(k.name)).format, k.format) << "not a WAV under its name";
        // Read back, and written again in the same codec.
        ASSERT_EQ(RunCommand("mkdir " + ShellQuoted(folder.Path("again"))), 0);
        const ProcessResult again =
            Apply({"-q", folder.Path(k.name), "--output-dir", folder.Path("again"), "--auto-gain"});
        ASSERT_EQ(again.exitStatus, 0) << again.err;
        EXPECT_EQ(ReadSound(folder.Path(std::string("again/") + k.name)).format, k.format);
        // --bits does not reach inside a codec.
        const ProcessResult bits =
            Apply({"--bits", "16", folder.Path("in.wav"), "-o", folder.Path(k.name)});
        EXPECT_EQ(bits.exitStatus, 2);
        EXPECT_NE(bits.err.find("--bits does not apply to"), std::string::npos) << bits.err;
    }
}

TEST(ApplyStreams, UnknownNamesAndMissingFoldersAreRefusedWithTheWayOut) {
    TestFolder folder;
    WriteNoise(folder.Path("in.wav"));
    const ProcessResult unknown = Apply({folder.Path("in.wav"), "-o", folder.Path("out.mp4")});
    EXPECT_EQ(unknown.exitStatus, 2);
    EXPECT_NE(unknown.err.find("\".mp4\" is no audio file that apply writes; it writes .wav"),
              std::string::npos)
        << unknown.err;
    EXPECT_NE(unknown.err.find(".flac"), std::string::npos) << unknown.err;

    const ProcessResult missing =
        Apply({folder.Path("in.wav"), "--output-dir", folder.Path("cut/")});
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_NE(missing.err.find("does not exist; mkdir -p " + folder.Path("cut/") + " makes it"),
              std::string::npos)
        << missing.err;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"in.wav"});
}

}  // namespace

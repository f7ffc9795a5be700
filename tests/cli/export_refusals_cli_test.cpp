// What vorlexi-calc refuses to hand to another program: a line that would run away in
// SoX or FFmpeg, a line for a rate the user never named, or one for a rate misread from
// "44,1k". The desktop program's own report still shows what it always showed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc_process.h"
#include "run_process.h"

namespace {

const std::vector<std::string> kCoefficientFormats = {
    "--format=sox",           "--format=ffmpeg",  "--format=camilladsp",
    "--format=camilladsp-v2", "--format=nyquist", "--format=pipewire-bq-raw"};

TEST(ExportRefusals, AnUnstableDesignIsRefusedByEveryOutputButTheRecord) {
    // A negative rate puts the 3180 us pole at exp(1/(48000 * 3180e-6)) = 1.0066 and the
    // 75 us one at 1.32: through SoX, a full-scale noise.
    for (const std::string& format : kCoefficientFormats) {
        ExpectOneLineRefusal(Calc({"-s", "-48k", format}),
                      format + ": the design is unstable: section 1 of 1 has a pole at |z| = 1.32");
    }
    EXPECT_NE(Calc({"-s", "-48k", "--format=sox"}).err.find("must be positive, not -48000"),
              std::string::npos);
    // The desktop program's report and its JSON are the record of what it computes.
    const ProcessResult report = Calc({"-s", "-48k"});
    EXPECT_EQ(report.exitStatus, 0) << report.err;
    EXPECT_NE(report.out.find("den[0] = 1.000000e+00, [1] = -2.326766e+00"), std::string::npos);
    EXPECT_EQ(Calc({"-s", "-48k", "--json"}).exitStatus, 0);
}

TEST(ExportRefusals, AMatchedPoleAtDcIsRefusedInExportsWithTheMinimaxWay) {
    // aes-1951 has no bass shelf: its matched design integrates any DC offset.
    for (const std::string& format : kCoefficientFormats) {
        ExpectOneLineRefusal(Calc({"-s", "48k", "--curve", "aes-1951", format}),
                      format + ": the matched design of aes-1951 has a pole at DC (z = 1)");
    }
    EXPECT_NE(
        Calc({"-s", "48k", "--curve", "aes-1951", "--format=sox"}).err.find("use --method=minimax"),
        std::string::npos);
    // The IEC high-pass is a zero at DC in playback: a pole when inverted.
    ExpectOneLineRefusal(Calc({"-s", "48k", "--curve", "riaa-iec", "-i", "--format=sox"}),
                  "riaa-iec (recording) has a pole at DC");
    EXPECT_EQ(Calc({"-s", "48k", "--curve", "riaa-iec", "--format=sox"}).exitStatus, 0);
    EXPECT_EQ(
        Calc({"-s", "48k", "--curve", "aes-1951", "--method=minimax", "--format=sox"}).exitStatus,
        0);
    // The report shows the design with its pole at 1.
    const ProcessResult report = Calc({"-s", "48k", "--curve", "aes-1951"});
    EXPECT_EQ(report.exitStatus, 0) << report.err;
    EXPECT_NE(report.out.find("largest pole radius 1.000000000"), std::string::npos);
}

TEST(ExportRefusals, ALineForAnotherProgramNeedsTheRateSaid) {
    for (const std::string& format : kCoefficientFormats) {
        ExpectOneLineRefusal(Calc({format}), format +
                                          " writes coefficients that hold at one sampling "
                                          "frequency only: give it with --sample-freq");
    }
    // The plugin designs for the rate PipeWire runs at; the report keeps the dialog's 96k.
    EXPECT_EQ(Calc({"--format=pipewire"}).exitStatus, 0);
    EXPECT_EQ(Calc({}).out, Calc({"-s", "96k"}).out);
}

TEST(ExportRefusals, AnEntryNotReadToItsEndIsRefusedBeyondTheReport) {
    ExpectOneLineRefusal(Calc({"-s", "44,1k", "--format=sox"}),
                  "--sample-freq: \"44,1k\" would be read as 44, leaving \",1k\" unread");
    ExpectOneLineRefusal(Calc({"-s", "48k", "-g", "2,5", "--format=ffmpeg"}),
                  "--gain: \"2,5\" would be read as 2, leaving \",5\" unread");
    ExpectOneLineRefusal(Calc({"-s", "48k", "-z", "20k5", "--format=nyquist"}),
                  "--extra-zero: \"20k5\" would be read as 20000, leaving \"5\" unread");
    ExpectOneLineRefusal(Calc({"-s", "x48k", "--format=sox"}),
                  "\"x48k\" does not start with its number (it would be read as 48000)");
    // The reader takes 31 characters: the rest would be lost without a word.
    ExpectOneLineRefusal(Calc({"-s", "48000.000000000000000000000000000001", "--format=sox"}),
                  "leaving \"00001\" unread");
    ExpectOneLineRefusal(Calc({"-s", "44,1k", "--csv"}), "leaving \",1k\" unread");
    ExpectOneLineRefusal(Calc({"-s", "44,1k", "--response"}), "leaving \",1k\" unread");
    // apply reads its gain the same way.
    ExpectOneLineRefusal(Calc({"apply", "in.wav", "-o", "out.wav", "-g", "0,5"}),
                  "--gain: \"0,5\" would be read as 0, leaving \",5\" unread");

    // A unit after a frequency is no leftover, and UTF-8 micro is one prefix.
    EXPECT_EQ(Calc({"-s", "44.1kHz", "--format=sox"}).out,
              Calc({"-s", "44.1k", "--format=sox"}).out);
    EXPECT_EQ(Calc({"-s", "48000 Hz", "--format=sox"}).out,
              Calc({"-s", "48k", "--format=sox"}).out);
    EXPECT_EQ(Calc({"-s", "48k", "-g", "500000\xC2\xB5", "--format=sox"}).out,
              Calc({"-s", "48k", "-g", "0.5", "--format=sox"}).out);

    // The desktop program's report reads as the dialog does.
    const ProcessResult report = Calc({"-s", "44,1k"});
    EXPECT_EQ(report.exitStatus, 0) << report.err;
    EXPECT_EQ(report.out.rfind("Filter calculated for:\nSampling frequency: 44\n", 0), 0u);
}

}  // namespace

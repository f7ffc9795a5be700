// vorlexi-calc --rumble as a user runs it: every output carries the high-pass (the
// report, the JSON, the exported lines, the plugin's controls), and a corner or order
// it cannot make is one line and exit status 2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc_process.h"
#include "external_tool.h"
#include "run_process.h"

namespace {

void ExpectHolds(const std::string& text, const std::vector<std::string>& parts) {
    for (const std::string& part : parts) {
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    }
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(RumbleCli, ACornerOrOrderItCannotMakeIsRefusedWithWhatWould) {
    ExpectOneLineRefusal(Calc({"-s", "44.1k", "--rumble", "twenty"}), "--rumble: \"twenty\"");
    ExpectOneLineRefusal(Calc({"-s", "44.1k", "--rumble=0"}), "such as 20");
    ExpectOneLineRefusal(Calc({"-s", "44.1k", "--rumble=-20"}), "such as 20");
    ExpectOneLineRefusal(Calc({"-s", "44.1k", "--rumble", "3000"}), "to 2205 Hz");
    ExpectOneLineRefusal(Calc({"-s", "44.1k", "--rumble", "0.5"}), "from 1 Hz");
    ExpectOneLineRefusal(Calc({"-s", "44.1k", "--rumble", "20", "--rumble-order", "5"}),
                  "--rumble-order: \"5\" is not an order from 1 to 4");
    ExpectOneLineRefusal(Calc({"-s", "44.1k", "--rumble-order", "3"}), "add --rumble HZ");
    // The plugin's control stops at 200 Hz; the coefficients do not.
    ExpectOneLineRefusal(Calc({"-s", "48k", "--rumble", "300", "--format=pipewire"}),
                  "Rumble filter control");
    EXPECT_EQ(Calc({"-s", "48k", "--rumble", "300", "--format=pipewire-bq-raw"}).exitStatus, 0);
}

TEST(RumbleCli, EveryOutputCarriesTheHighPass) {
    const std::vector<std::string> design = {
        "-s", "48k",      "--curve", "decca-ffrr-78",  "--sections",
        "2",  "--rumble", "15.5",    "--rumble-order", "3"};
    const auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), design.begin(), design.end());
        return Calc(more);
    };
    const ProcessResult report = with({"--response"});
    ASSERT_EQ(report.exitStatus, 0) << report.err;
    ExpectHolds(report.out, {"Design: minimax, 2 sections, rumble filter at 15.5 Hz of order 3",
                             "Cascade of 4 second-order sections", "Response relative to 1 kHz"});

    const ProcessResult json = with({"--json"});
    ASSERT_EQ(json.exitStatus, 0) << json.err;
    ExpectHolds(json.out, {"\"rumble\": {\n    \"cornerHz\": 15.5,\n    \"order\": 3\n  }"});
    EXPECT_EQ(Count(json.out, "\"b0\""), 4u);

    const ProcessResult sox = with({"--format=sox"});
    ASSERT_EQ(sox.exitStatus, 0) << sox.err;
    EXPECT_EQ(Count(sox.out, "biquad"), 4u);

    const ProcessResult pipewire = with({"--format=pipewire"});
    ASSERT_EQ(pipewire.exitStatus, 0) << pipewire.err;
    ExpectHolds(pipewire.out, {"\"sections\" = 2\n", "\"rumble\" = 15.5\n",
                               "\"rumble_order\" = 3\n", "rumble filter at 15.5 Hz of order 3"});

    ScratchFolder folder;
    const std::string plot = folder.Path("rumble.svg");
    ASSERT_EQ(with({"--plot", plot}).exitStatus, 0);
    ExpectHolds(ReadText(plot), {"rumble filter at 15.5 Hz of order 3"});

    // The plain RIAA design is the desktop program's biquad; with the filter it is a cascade.
    const ProcessResult riaa = Calc({"-s", "44.1k", "--rumble", "20"});
    ASSERT_EQ(riaa.exitStatus, 0) << riaa.err;
    ExpectHolds(riaa.out, {"Cascade of 2 second-order sections", "Gain at DC: 0 (-inf dB)"});
}

}  // namespace

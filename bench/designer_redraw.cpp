// How long the designer window takes from a change in its panel to the plot painted with
// the new design: the goal is 100 ms for designs of up to four sections. Each round
// switches the rate between 44.1 and 48 kHz (so every round designs afresh) and waits for
// the plot's paint; prints the median and the slowest round per design.
//   designer_redraw [ROUNDS]    (offscreen unless QT_QPA_PLATFORM says otherwise)

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "main_window.h"
#include "response_plot.h"
#include "settings_panel.h"

namespace {

struct Setting {
    const char* name;
    DesignerSettings settings;
};

std::vector<Setting> Settings() {
    std::vector<Setting> list;
    DesignerSettings matched;
    list.push_back({"riaa, matched", matched});
    for (int sections = 1; sections <= 4; ++sections) {
        DesignerSettings minimax;
        minimax.method = DesignMethod::Minimax;
        minimax.size = SizeChoice::Sections;
        minimax.sections = sections;
        static const char* const kNames[] = {"riaa, minimax 1 section", "riaa, minimax 2 sections",
                                             "riaa, minimax 3 sections",
                                             "riaa, minimax 4 sections"};
        list.push_back({kNames[sections - 1], minimax});
    }
    DesignerSettings tolerance;
    tolerance.curveName = "riaa-iec";
    tolerance.method = DesignMethod::Minimax;
    tolerance.size = SizeChoice::Tolerance;
    tolerance.toleranceDb = "0.001";
    list.push_back({"riaa-iec, minimax within 0.001 dB", tolerance});
    return list;
}

// Milliseconds from the panel's change to the paint of the plot showing its design.
double TimeOneChange(MainWindow& window, const DesignerSettings& settings) {
    QEventLoop loop;
    QElapsedTimer clock;
    const auto connection = QObject::connect(window.Plot(), &ResponsePlot::Painted, &loop, [&] {
        if (window.Outcome() && window.Outcome()->settings == settings) {
            loop.quit();
        }
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    clock.start();
    window.Panel()->SetSettings(settings);
    loop.exec();
    QObject::disconnect(connection);
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    QApplication application(argc, argv);
    MainWindow window;
    window.resize(1180, 860);
    window.show();

    std::printf("%-36s %10s %10s   (%d rounds, change to painted plot)\n", "design", "median",
                "slowest", rounds);
    for (const Setting& setting : Settings()) {
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round) {
            DesignerSettings settings = setting.settings;
            settings.samplingFrequency = round % 2 == 0 ? "44100" : "48000";
            times.push_back(TimeOneChange(window, settings));
        }
        std::sort(times.begin(), times.end());
        std::printf("%-36s %7.1f ms %7.1f ms\n", setting.name, times[times.size() / 2],
                    times.back());
    }
    return 0;
}

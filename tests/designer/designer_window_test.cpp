// The designer window as a user drives it from the keyboard: every change reaches the
// figures and the text, a bad entry says what to type and the window recovers, the
// settings come back next time, and a German locale changes no number.

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "design_outcome.h"
#include "design_runner.h"
#include "export_pane.h"
#include "main_window.h"
#include "run_process.h"
#include "settings_panel.h"

namespace {

// Until the outcome on show is the one for what the panel holds now.
bool WaitForDesign(MainWindow& window) {
    return QTest::qWaitFor([&] { return window.ShowsCurrentSettings(); }, 20000);
}

void TypeInto(QWidget* widget, const QString& text) {
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(widget, text);
}

QString ExpectedFigures(const DesignerSettings& settings) {
    return QString::fromStdString(MakeOutcome(settings).figures).trimmed();
}

class DesignerWindow : public ::testing::Test {
protected:
    void SetUp() override { QSettings().clear(); }
};

TEST_F(DesignerWindow, KeyboardChangesOfCurveAndRateReachTheFiguresAndTheText) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(WaitForDesign(window));
    const QString riaaFigures = window.Pane()->FiguresText();

    window.Panel()->CurveBox()->setFocus();
    QTest::keyClick(window.Panel()->CurveBox(), Qt::Key_Down);
    TypeInto(window.Panel()->RateBox(), QStringLiteral("44.1k"));
    ASSERT_TRUE(WaitForDesign(window));

    const DesignerSettings settings = window.Panel()->Settings();
    EXPECT_EQ(settings.curveName, "riaa-iec");
    EXPECT_EQ(settings.samplingFrequency, "44.1k");
    EXPECT_NE(window.Pane()->FiguresText(), riaaFigures);
    EXPECT_EQ(window.Pane()->FiguresText(), ExpectedFigures(settings));

    window.Pane()->SetProgram(ExportProgram::Ffmpeg);
    EXPECT_EQ(window.Pane()->ExportedText().toStdString(),
              *ExportText(*window.Outcome()->design, ExportProgram::Ffmpeg));
}

TEST_F(DesignerWindow, ABadEntrySaysWhatToTypeAndTheWindowRecovers) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(WaitForDesign(window));

    TypeInto(window.Panel()->RateBox(), QStringLiteral("fast"));
    ASSERT_TRUE(WaitForDesign(window));
    EXPECT_TRUE(
        window.Pane()->FiguresText().startsWith(QStringLiteral("Sampling frequency: \"fast\"")))
        << window.Pane()->FiguresText().toStdString();
    EXPECT_TRUE(window.Pane()->ExportedText().isEmpty())
        << "no text for a design that is not there";
    EXPECT_TRUE(window.statusBar()->currentMessage().contains(QStringLiteral("44100 or 96k")));

    TypeInto(window.Panel()->RateBox(), QStringLiteral("96000"));
    ASSERT_TRUE(WaitForDesign(window));
    EXPECT_EQ(window.Pane()->FiguresText(), ExpectedFigures(window.Panel()->Settings()));
    EXPECT_FALSE(window.Pane()->ExportedText().isEmpty());
}

TEST_F(DesignerWindow, ATypedCurveIsReadAsTheToolReadsIt) {
    MainWindow window;
    window.show();
    ASSERT_TRUE(WaitForDesign(window));
    QComboBox* curve = window.Panel()->CurveBox();
    curve->setFocus();
    QTest::keyClick(curve, Qt::Key_End);  // the last row: turnover, shelf and roll-off
    auto* turnover = window.Panel()->findChild<QLineEdit*>(QStringLiteral("turnover"));
    ASSERT_NE(turnover, nullptr);
    TypeInto(turnover, QStringLiteral("4oo"));
    ASSERT_TRUE(WaitForDesign(window));
    EXPECT_TRUE(window.Pane()->FiguresText().startsWith(QStringLiteral("Curve: ")))
        << window.Pane()->FiguresText().toStdString();

    TypeInto(turnover, QStringLiteral("400"));
    ASSERT_TRUE(WaitForDesign(window));
    EXPECT_EQ(CurveEntryText(window.Panel()->Settings()), "turnover:400,shelf:50,rolloff:13.7");
    EXPECT_EQ(window.Pane()->FiguresText(), ExpectedFigures(window.Panel()->Settings()));
}

TEST_F(DesignerWindow, ThePlotExportsAreTheToolsSvgAndAPicture) {
    MainWindow window;
    window.show();
    TypeInto(window.Panel()->RateBox(), QStringLiteral("44100"));
    ASSERT_TRUE(WaitForDesign(window));

    QTemporaryDir folder;
    const QString svg = folder.filePath(QStringLiteral("calc.svg"));
    const ProcessResult calc =
        RunProcess({VORLEXI_CALC_PATH, "--sample-freq=44100", "--plot=" + svg.toStdString()});
    ASSERT_EQ(calc.exitStatus, 0) << calc.err;
    QFile drawn(svg);
    ASSERT_TRUE(drawn.open(QIODevice::ReadOnly));
    EXPECT_EQ(window.PlotSvg(), drawn.readAll());

    QImage picture;
    ASSERT_TRUE(picture.loadFromData(window.PlotPng(), "PNG"));
    EXPECT_EQ(picture.size(), QSize(1200, 800));
}

TEST_F(DesignerWindow, SettingsComeBackNextTime) {
    DesignerSettings chosen;
    chosen.curveSource = CurveSource::Turnover;
    chosen.turnoverHz = "400";
    chosen.shelfHz = "";
    chosen.samplingFrequency = "88200";
    chosen.method = DesignMethod::Minimax;
    chosen.size = SizeChoice::Tolerance;
    chosen.toleranceDb = "0.02";
    chosen.gain = "0.5";
    chosen.gainReference = GainReference::OneKilohertz;
    chosen.direction = Direction::Recording;
    {
        MainWindow window;
        window.show();
        window.Panel()->SetSettings(chosen);
        window.Pane()->SetProgram(ExportProgram::CamillaDsp);
        ASSERT_TRUE(WaitForDesign(window));
        window.close();
    }
    MainWindow again;
    EXPECT_EQ(again.Panel()->Settings(), chosen);
    EXPECT_EQ(again.Pane()->Program(), ExportProgram::CamillaDsp);
}

TEST_F(DesignerWindow, AGermanLocaleChangesNoNumber) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    MainWindow window;
    window.show();
    TypeInto(window.Panel()->RateBox(), QStringLiteral("44.1k"));
    ASSERT_TRUE(WaitForDesign(window));
    QLocale::setDefault(previous);

    ASSERT_TRUE(window.Outcome()->design) << window.Outcome()->error;
    EXPECT_EQ(window.Outcome()->design->samplingFrequency, 44100.0);
    EXPECT_TRUE(window.Pane()->FiguresText().contains(QStringLiteral("to 20000 Hz")));
    EXPECT_TRUE(
        window.Pane()->ExportedText().contains(QStringLiteral("Sampling frequency: 44100\n")));
    EXPECT_FALSE(
        window.Pane()->ExportedText().contains(QRegularExpression(QStringLiteral("\\d,\\d"))))
        << "the report's numbers keep their points";
}

TEST(DesignRunner, ANewerRequestReplacesTheWaitingOne) {
    // While one design runs, a user's quick changes must not queue up behind it: only the
    // last of them is worked out next.
    DesignRunner runner;
    std::vector<std::string> designed;
    QObject::connect(&runner, &DesignRunner::Finished, [&](auto outcome) {
        designed.push_back(outcome->settings.samplingFrequency);
    });
    DesignerSettings settings;
    settings.method = DesignMethod::Minimax;
    settings.size = SizeChoice::Sections;
    settings.sections = 4;
    for (const char* rate : {"44100", "48000", "88200", "96000"}) {
        settings.samplingFrequency = rate;
        runner.Request(settings);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return runner.IsIdle() && designed.size() >= 2; }, 20000));
    QTest::qWait(50);
    EXPECT_EQ(designed, (std::vector<std::string>{"44100", "96000"}));
}

}  // namespace

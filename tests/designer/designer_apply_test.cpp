// File > Apply to Files runs vorlexi-calc apply: the file written must be filtered by the
// design the window shows (not by apply's defaults), and a file apply refuses must come
// back with the tool's own reason, not a silent "done".

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>

#include <gtest/gtest.h>

#include "apply_run.h"
#include "design_outcome.h"
#include "reference_filter.h"
#include "sound_files.h"

namespace {

// Float WAV noise at 48 kHz in two channels, for runs long enough to stop.
Sound StereoNoise(int seconds, unsigned seed) {
    Sound noise;
    noise.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    noise.rate = 48000;
    noise.channels = 2;
    noise.samples = Noise(2 * 48000 * seconds, 0.1, seed);
    return noise;
}

QStringList ToQt(const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& item : items) {
        list << QString::fromStdString(item);
    }
    return list;
}

struct Ran {
    bool finished = false;
    QList<QList<QVariant>> files;
};

Ran RunApply(const DesignOutcome& outcome, const QStringList& inputs, const QString& outputDir) {
    ApplyRun run(QStringLiteral(VORLEXI_CALC_PATH),
                 ToQt(CalcDesignArguments(outcome.settings, *outcome.design, CalcCommand::Apply)),
                 inputs, outputDir);
    QSignalSpy done(&run, &ApplyRun::FileDone);
    QSignalSpy finished(&run, &ApplyRun::Finished);
    run.Start();
    Ran ran;
    ran.finished = finished.wait(60000);
    ran.files = done;
    return ran;
}

TEST(DesignerApply, TheFileIsFilteredByTheDesignShown) {
    DesignerSettings settings;
    settings.samplingFrequency = "48000";
    settings.method = DesignMethod::Minimax;
    settings.size = SizeChoice::Sections;
    settings.sections = 3;
    settings.gain = "0.25";
    const DesignOutcome outcome = MakeOutcome(settings);
    ASSERT_TRUE(outcome.design) << outcome.error;

    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("out"));
    const QString input = folder.filePath(QStringLiteral("impulse.wav"));
    Sound impulse;
    impulse.format = SF_FORMAT_WAV | SF_FORMAT_DOUBLE;
    impulse.rate = 48000;
    impulse.channels = 1;
    impulse.samples = Impulse(1, 4800, 10, 1.0);
    WriteSound(input.toStdString(), impulse);

    const Ran ran = RunApply(outcome, {input}, folder.filePath(QStringLiteral("out")));
    ASSERT_TRUE(ran.finished);
    ASSERT_EQ(ran.files.size(), 1);
    ASSERT_TRUE(ran.files[0][1].toBool()) << ran.files[0][2].toString().toStdString();

    const Sound written =
        ReadSound(folder.filePath(QStringLiteral("out/impulse.wav")).toStdString());
    const std::vector<double> expected = ReferenceFiltered(outcome.design->cascade, impulse.samples);
    ASSERT_EQ(written.samples.size(), expected.size());
    double largest = 0.0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        largest = std::max(largest, std::abs(written.samples[i] - expected[i]));
    }
    EXPECT_LT(largest, 1e-9) << "the file got another filter than the one shown";
}

TEST(DesignerApply, ARefusedFileComesBackWithTheToolsReason) {
    const DesignOutcome outcome = MakeOutcome(DesignerSettings{});
    ASSERT_TRUE(outcome.design);
    QTemporaryDir folder;
    const QString notAudio = folder.filePath(QStringLiteral("notes.wav"));
    QFile file(notAudio);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a sound");
    file.close();
    QDir(folder.path()).mkdir(QStringLiteral("out"));

    const Ran ran = RunApply(outcome, {notAudio}, folder.filePath(QStringLiteral("out")));
    ASSERT_TRUE(ran.finished);
    ASSERT_EQ(ran.files.size(), 1);
    EXPECT_FALSE(ran.files[0][1].toBool());
    EXPECT_TRUE(ran.files[0][2].toString().contains(QStringLiteral("notes.wav")))
        << ran.files[0][2].toString().toStdString();
}

TEST(DesignerApply, CancelStopsTheRunAndLeavesNoPartialFile) {
    const DesignOutcome outcome = MakeOutcome(DesignerSettings{});
    ASSERT_TRUE(outcome.design);
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("out"));
    const Sound noise = StereoNoise(5, 7);
    QStringList inputs;
    for (const char* name : {"a.wav", "b.wav", "c.wav"}) {
        inputs << folder.filePath(QString::fromLatin1(name));
        WriteSound(inputs.back().toStdString(), noise);
    }

    ApplyRun run(QStringLiteral(VORLEXI_CALC_PATH),
                 ToQt(CalcDesignArguments(outcome.settings, *outcome.design, CalcCommand::Apply)),
                 inputs, folder.filePath(QStringLiteral("out")));
    QSignalSpy started(&run, &ApplyRun::FileStarted);
    QSignalSpy finished(&run, &ApplyRun::Finished);
    qsizetype startedWhenCancelled = -1;
    // Once the first file's process is under way (the slot runs after Start returns).
    QObject::connect(&run, &ApplyRun::FileStarted, &run, [&] {
        QTimer::singleShot(0, &run, [&] {
            if (startedWhenCancelled < 0) {
                startedWhenCancelled = started.size();
                run.Cancel();
            }
        });
    });
    run.Start();
    ASSERT_TRUE(finished.wait(60000));
    ASSERT_EQ(finished.size(), 1);
    EXPECT_TRUE(finished[0][0].toBool()) << "the run ends as cancelled";
    EXPECT_EQ(started.size(), startedWhenCancelled) << "no file is started after Cancel";
    // What is left is whole files (those that ended before the signal), no temporaries.
    const QDir out(folder.filePath(QStringLiteral("out")));
    for (const QString& name : out.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        ASSERT_TRUE(name == QLatin1String("a.wav") || name == QLatin1String("b.wav") ||
                    name == QLatin1String("c.wav"))
            << "left behind: " << name.toStdString();
        EXPECT_EQ(ReadSound(out.filePath(name).toStdString()).samples.size(), noise.samples.size());
    }
}

TEST(DesignerApply, ARunEndedByItsWindowClosingLeavesNoTemporary) {
    const DesignOutcome outcome = MakeOutcome(DesignerSettings{});
    ASSERT_TRUE(outcome.design);
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("out"));
    const Sound noise = StereoNoise(30, 11);
    const QString input = folder.filePath(QStringLiteral("long.wav"));
    WriteSound(input.toStdString(), noise);

    auto* run = new ApplyRun(
        QStringLiteral(VORLEXI_CALC_PATH),
        ToQt(CalcDesignArguments(outcome.settings, *outcome.design, CalcCommand::Apply)), {input},
        folder.filePath(QStringLiteral("out")));
    run->Start();
    QTest::qWait(30);  // the tool under way
    delete run;

    const QDir out(folder.filePath(QStringLiteral("out")));
    for (const QString& name : out.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        ASSERT_EQ(name, QLatin1String("long.wav")) << "left behind: " << name.toStdString();
        EXPECT_EQ(ReadSound(out.filePath(name).toStdString()).samples.size(), noise.samples.size());
    }
}

}  // namespace

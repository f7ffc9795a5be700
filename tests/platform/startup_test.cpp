// The exit status and output of a program started through AfxWinMain.
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode;
    QString out;
    QString err;
};

Outcome RunProgram(const QStringList& args) {
    QTemporaryDir home;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(LAYER_TEST_PROGRAM), args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

TEST(StartupTest, VersionPrintsTheVersionRecordAndSucceeds) {
    const Outcome outcome = RunProgram({QStringLiteral("--version")});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(outcome.out.startsWith(QStringLiteral("testapp 1.2.3.4\n")))
        << outcome.out.toStdString();
    // The record's texts are Windows-1252; the terminal gets UTF-8.
    EXPECT_TRUE(outcome.out.contains(QStringLiteral("LegalCopyright: \u00A9 nobody")));
}

TEST(StartupTest, FailedRequestsEndWithANonZeroStatusAndAMessage) {
    const Outcome unknown = RunProgram({QStringLiteral("--frobnicate")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("Unknown option")))
        << unknown.err.toStdString();

    const Outcome missing = RunProgram({QStringLiteral("/no/such/file.txt")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("/no/such/file.txt")));

    const Outcome printMissing =
        RunProgram({QStringLiteral("-p"), QStringLiteral("/no/such/file.txt")});
    EXPECT_EQ(printMissing.exitCode, 1);
}

}  // namespace

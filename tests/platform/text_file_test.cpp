#include "text_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

#include "child_process.h"

namespace platform {
namespace {

std::string ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray data = file.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void WriteAll(const QString& path, const std::string& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

class TextFile : public ::testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir m_dir;
};

TEST_F(TextFile, SavesAndLoadsEveryByte) {
    std::string bytes;
    for (int i = 0; i < 1024; ++i) {
        bytes.push_back(static_cast<char>(i % 256));
    }
    ASSERT_TRUE(SaveTextFileAtomically(path("all.txt"), bytes).ok());
    const LoadedTextFile loaded = LoadTextFile(path("all.txt"));
    ASSERT_TRUE(loaded.ok()) << loaded.error.toStdString();
    EXPECT_EQ(loaded.bytes, bytes);

    ASSERT_TRUE(SaveTextFileAtomically(path("empty.txt"), "").ok());
    EXPECT_TRUE(LoadTextFile(path("empty.txt")).bytes.empty());
}

TEST_F(TextFile, SizeLimitAcceptsTheLimitAndRefusesOneByteMore) {
    WriteAll(path("at.txt"), std::string(1000, 'a'));
    WriteAll(path("over.txt"), std::string(1001, 'a'));
    EXPECT_TRUE(LoadTextFile(path("at.txt"), 1000).ok());
    const LoadedTextFile over = LoadTextFile(path("over.txt"), 1000);
    EXPECT_FALSE(over.ok());
    EXPECT_TRUE(over.bytes.empty());
    EXPECT_TRUE(over.error.contains(u"1001"_qs)) << over.error.toStdString();
    EXPECT_TRUE(over.error.contains(u"too large"_qs));
    EXPECT_GE(kMaxTextFileBytes, qint64{64} * 1024 * 1024);
}

TEST_F(TextFile, RefusesWhatIsNoRegularFile) {
    EXPECT_FALSE(LoadTextFile(path("missing.txt")).ok());
    EXPECT_FALSE(LoadTextFile(m_dir.path()).ok());
    // A pipe would block the reader until someone writes to it.
    ASSERT_EQ(mkfifo(path("pipe").toLocal8Bit().constData(), 0600), 0);
    const LoadedTextFile fromPipe = LoadTextFile(path("pipe"));
    EXPECT_FALSE(fromPipe.ok());
    EXPECT_FALSE(fromPipe.error.isEmpty());
}

TEST_F(TextFile, ReplacingKeepsPermissionsAndFollowsSymbolicLinks) {
    WriteAll(path("kept.txt"), "old");
    ASSERT_EQ(chmod(path("kept.txt").toLocal8Bit().constData(), 0640), 0);
    ASSERT_TRUE(SaveTextFileAtomically(path("kept.txt"), "new").ok());
    struct stat info {};
    ASSERT_EQ(stat(path("kept.txt").toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    // A new file gets the usual permissions, not those of the private temporary file.
    const mode_t mask = umask(0);
    umask(mask);
    ASSERT_TRUE(SaveTextFileAtomically(path("fresh.txt"), "new").ok());
    ASSERT_EQ(stat(path("fresh.txt").toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0666u & ~mask);

    ASSERT_TRUE(QFile::link(path("kept.txt"), path("link.txt")));
    ASSERT_TRUE(SaveTextFileAtomically(path("link.txt"), "through the link").ok());
    EXPECT_TRUE(QFileInfo(path("link.txt")).isSymLink());
    EXPECT_EQ(ReadAll(path("kept.txt")), "through the link");
}

// The words are the file writer's, as vorlexi-calc prints them, as a sentence.
TEST_F(TextFile, SaveIntoAFolderThatIsAFileFailsWithAMessage) {
    WriteAll(path("plain"), "x");
    const QString target = path("plain") + u"/doc.txt"_qs;
    const SavedTextFile saved = SaveTextFileAtomically(target, "text");
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(saved.error, u"Cannot write "_qs + target + u": Not a directory."_qs);
}

TEST_F(TextFile, SaveRefusesAReadOnlyFile) {
    WriteAll(path("ro.txt"), "old");
    ASSERT_EQ(chmod(path("ro.txt").toLocal8Bit().constData(), 0444), 0);
    ASSERT_EQ(chmod(m_dir.path().toLocal8Bit().constData(), 0777), 0);
    const auto refused = [&] {
        EXPECT_EQ(SaveTextFileAtomically(path("ro.txt"), "new").error,
                  u"Cannot write "_qs + path("ro.txt") +
                      u": the existing file is not writable (Permission denied)."_qs);
        EXPECT_EQ(ReadAll(path("ro.txt")), "old");
    };
    if (geteuid() != 0) {
        refused();
    } else if (const auto reason = RunInChild(AsNobody(), refused)) {
        GTEST_SKIP() << *reason;
    }
}

// The file-size limit of the process makes the write fail half-way, even for root, for whom
// permission bits do not.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(TextFile, FailedWriteLeavesTheOldFileWholeAndNoTemporaryBehind) {
    const std::string old = "the old content\r\n";
    WriteAll(path("doc.txt"), old);
    SavedTextFile saved;
    {
        const FileSizeLimit limit(4096);
        saved = SaveTextFileAtomically(path("doc.txt"), std::string(1 << 20, 'n'));
    }
    EXPECT_FALSE(saved.ok());
    EXPECT_FALSE(saved.error.isEmpty());
    EXPECT_EQ(ReadAll(path("doc.txt")), old);
    EXPECT_EQ(entries(), QStringList{u"doc.txt"_qs});
}

}  // namespace
}  // namespace platform

#include "recent_file_store.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace platform {
namespace {

const QString kOrganisation = u"Local AppWizard-Generated Applications"_qs;
const QString kApplication = u"vorlexi"_qs;

class RecentFiles : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) {
            QFile file(m_files.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    QString file(const char* name) const {
        return QDir(m_files.path()).canonicalPath() + u'/' + QString::fromLatin1(name);
    }
    RecentFileStore store() const { return RecentFileStore(kOrganisation, kApplication, 4); }
    QSettings settings() const {
        return QSettings(QSettings::IniFormat, QSettings::UserScope, kOrganisation, kApplication);
    }

    QTemporaryDir m_config;
    QTemporaryDir m_files;
};

TEST_F(RecentFiles, NewestFirstNeverMoreThanTheLimit) {
    RecentFileStore recent = store();
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) {
        recent.add(file(name));
    }
    EXPECT_EQ(recent.entries(),
              (QStringList{file("e.txt"), file("d.txt"), file("c.txt"), file("b.txt")}));
}

TEST_F(RecentFiles, TheSameFileUnderAnotherNameMovesToTheFront) {
    RecentFileStore recent = store();
    recent.add(file("a.txt"));
    recent.add(file("b.txt"));
    ASSERT_TRUE(QFile::link(file("a.txt"), file("alias.txt")));
    recent.add(m_files.path() + u"/./no-such-folder/../alias.txt"_qs);
    EXPECT_EQ(recent.entries(), (QStringList{file("a.txt"), file("b.txt")}));

    QDir::setCurrent(m_files.path());
    recent.add(u"b.txt"_qs);
    EXPECT_EQ(recent.entries(), (QStringList{file("b.txt"), file("a.txt")}));
}

TEST_F(RecentFiles, SurvivesARestartUnderTheFrameworksKeys) {
    {
        RecentFileStore recent = store();
        recent.add(file("a.txt"));
        recent.add(file("b.txt"));
        recent.save();
    }
    EXPECT_EQ(settings().value(u"Recent File List/File1"_qs).toString(), file("b.txt"));
    EXPECT_EQ(settings().value(u"Recent File List/File2"_qs).toString(), file("a.txt"));

    RecentFileStore restarted = store();
    restarted.load();
    EXPECT_EQ(restarted.entries(), (QStringList{file("b.txt"), file("a.txt")}));
}

TEST_F(RecentFiles, RemovedEntriesStayRemovedAfterSaving) {
    RecentFileStore recent = store();
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        recent.add(file(name));
    }
    recent.save();
    recent.removeAt(0);
    recent.removeAt(1);
    recent.removeAt(7);
    recent.save();
    EXPECT_FALSE(settings().contains(u"Recent File List/File2"_qs));
    EXPECT_FALSE(settings().contains(u"Recent File List/File3"_qs));
    RecentFileStore restarted = store();
    restarted.load();
    EXPECT_EQ(restarted.entries(), QStringList{file("b.txt")});
}

TEST_F(RecentFiles, AHandEditedListIsCappedAndFreedOfDuplicates) {
    {
        QSettings edited = settings();
        edited.beginGroup(u"Recent File List"_qs);
        edited.setValue(u"File1"_qs, file("a.txt"));
        edited.setValue(u"File2"_qs, QString());
        edited.setValue(u"File3"_qs, file("a.txt"));
        edited.setValue(u"File4"_qs, file("missing.txt"));
        edited.setValue(u"File5"_qs, file("c.txt"));
    }
    RecentFileStore recent = store();
    recent.load();
    // A missing file stays listed: opening it tells the user and drops it then.
    EXPECT_EQ(recent.entries(), (QStringList{file("a.txt"), file("missing.txt")}));
}

}  // namespace
}  // namespace platform

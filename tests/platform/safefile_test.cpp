#include "platform/safefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QFileDevice::Permissions OWNER_READ_WRITE = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
const mode_t OWNER_ONLY_MODE = 0600;

mode_t modeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class SafeFile : public ::testing::Test
{
protected:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    void plant(const char *name, const QByteArray &bytes, QFileDevice::Permissions permissions)
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        ASSERT_TRUE(f.setPermissions(permissions));
    }

    static QByteArray contentOf(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

    QStringList entries() const { return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot); }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SafeFile, WritesAndReadsBytesWithOwnerOnlyAccess)
{
    const std::string bytes("\xD6\xD0\0\r\n\xFF", 6);
    ASSERT_TRUE(safefile::writeAll(path("new.ini"), bytes));
    EXPECT_EQ(safefile::readAll(path("new.ini")), bytes);
    EXPECT_EQ(modeOf(path("new.ini")), OWNER_ONLY_MODE);

    // An existing file readable by others is tightened when it is replaced.
    plant("old.ini", "old", OWNER_READ_WRITE | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    ASSERT_TRUE(safefile::writeAll(path("old.ini"), ""));
    EXPECT_EQ(contentOf(path("old.ini")), QByteArray());
    EXPECT_EQ(modeOf(path("old.ini")), OWNER_ONLY_MODE);
    EXPECT_EQ(entries(), (QStringList{"new.ini", "old.ini"})); // no temporary file left behind
}

TEST_F(SafeFile, MissingFileReadsEmptyAndUnreadableReadsNothing)
{
    EXPECT_EQ(safefile::readAll(path("missing.ini")), std::string());
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("folder.ini")));
    EXPECT_EQ(safefile::readAll(path("folder.ini")), std::nullopt);
}

TEST_F(SafeFile, InterruptedWriteLeavesTheOldFile)
{
    plant("peizhi.ini", "[s]\r\nk=old\r\n", OWNER_READ_WRITE);
    bool reached = false;
    const bool written = safefile::writeAll(path("peizhi.ini"), "[s]\r\nk=new\r\n", [&] {
        reached = true;
        // The new bytes are complete by now, yet the old file has not been touched.
        EXPECT_EQ(contentOf(path("peizhi.ini")), QByteArray("[s]\r\nk=old\r\n"));
        return false;
    });
    EXPECT_TRUE(reached);
    EXPECT_FALSE(written);
    EXPECT_EQ(contentOf(path("peizhi.ini")), QByteArray("[s]\r\nk=old\r\n"));
    EXPECT_EQ(entries(), QStringList{"peizhi.ini"});
}

TEST_F(SafeFile, NeverWritesThroughASymbolicLink)
{
    plant("victim", "keep", OWNER_READ_WRITE);
    ASSERT_TRUE(QFile::link(path("victim"), path("peizhi.ini")));
    ASSERT_TRUE(QFile::link(path("nowhere"), path("dangling.ini")));

    EXPECT_FALSE(safefile::writeAll(path("peizhi.ini"), "overwritten"));
    EXPECT_FALSE(safefile::writeAll(path("dangling.ini"), "created"));

    EXPECT_EQ(contentOf(path("victim")), QByteArray("keep"));
    EXPECT_TRUE(QFileInfo(path("peizhi.ini")).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(path("nowhere")));
}

TEST_F(SafeFile, WriteIntoMissingFolderFails)
{
    EXPECT_FALSE(safefile::writeAll(m_dir.filePath(QStringLiteral("no/such/peizhi.ini")), "x"));
}

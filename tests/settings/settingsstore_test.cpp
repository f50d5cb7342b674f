#include "settings/settingsstore.h"
#include "settings/settingskeys.h"
#include "support/gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace sk = settingskeys;

namespace {

const mode_t OWNER_READ_WRITE = 0600;

mode_t modeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class SettingsStoreTest : public ::testing::Test
{
protected:
    std::string fileBytes() const
    {
        QFile f(m_store.settingsPath());
        if (!f.open(QIODevice::ReadOnly))
            return "<missing>";
        const QByteArray b = f.readAll();
        return std::string(b.constData(), static_cast<size_t>(b.size()));
    }

    void setFileBytes(const std::string &bytes, const QString &path)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    QTemporaryDir m_dir;
    SettingsStore m_store{m_dir.path()};
};

} // namespace

TEST_F(SettingsStoreTest, PathsHonourTmpdir)
{
    const QString tmpdir = QString::fromLocal8Bit(qgetenv("TMPDIR"));
    ASSERT_FALSE(tmpdir.isEmpty()); // the test runner points it at a fresh folder
    const SettingsStore store;
    EXPECT_EQ(QFileInfo(store.settingsPath()).absolutePath(), QFileInfo(tmpdir).absoluteFilePath());
    EXPECT_EQ(QFileInfo(store.settingsPath()).fileName(), QStringLiteral("peizhi.ini"));
    EXPECT_EQ(QFileInfo(store.loopFilePath()).fileName(), QStringLiteral("循环数据.BAT"));

    store.writeInt(sk::sizeSection(), sk::widthKey(), 640);
    store.writeLoopFile("01 03\r\n");
    EXPECT_TRUE(QFileInfo::exists(QDir(tmpdir).filePath(QStringLiteral("peizhi.ini"))));
    EXPECT_TRUE(QFileInfo::exists(QDir(tmpdir).filePath(QStringLiteral("循环数据.BAT"))));
    EXPECT_EQ(SettingsStore(tmpdir).readInt(sk::sizeSection(), sk::widthKey(), 1), 640);
}

TEST_F(SettingsStoreTest, MissingGivesDefaultPresentEmptyGivesEmpty)
{
    EXPECT_EQ(m_store.read(sk::sendSection(), sk::sendTextKey(), sk::sendTextDefault()), sk::sendTextDefault());
    EXPECT_EQ(m_store.read(sk::sendSection(), sk::sendTextKey()), QString());
    EXPECT_EQ(m_store.readInt(sk::portSection(), sk::baudRateKey(), sk::BAUD_RATE_DEFAULT_INDEX), 5);
    EXPECT_EQ(m_store.readInt(sk::positionSection(), sk::topKey()), 0);
    EXPECT_TRUE(m_store.readFlag(sk::lineBreakSection(), sk::lineBreakKey(), sk::LINE_BREAK_DEFAULT));
    EXPECT_EQ(fileBytes(), "<missing>"); // reading creates nothing

    m_store.write(sk::sendSection(), sk::sendTextKey(), QString());
    m_store.write(sk::portSection(), sk::baudRateKey(), QString());
    m_store.write(sk::lineBreakSection(), sk::lineBreakKey(), QString());
    EXPECT_EQ(m_store.read(sk::sendSection(), sk::sendTextKey(), sk::sendTextDefault()), QString());
    EXPECT_EQ(m_store.readInt(sk::portSection(), sk::baudRateKey(), sk::BAUD_RATE_DEFAULT_INDEX), 0);
    EXPECT_FALSE(m_store.readFlag(sk::lineBreakSection(), sk::lineBreakKey(), sk::LINE_BREAK_DEFAULT));
}

TEST_F(SettingsStoreTest, WritesGbkIniWithOwnerOnlyAccess)
{
    m_store.writeInt(sk::portSection(), sk::baudRateKey(), 5);
    m_store.writeInt(sk::moduleSection(), sk::autoSendIntervalKey(), 3);
    m_store.writeInt(sk::portSection(), sk::portKey(), -1);
    m_store.writeFlag(sk::crcSection(), sk::crcSwappedKey(), true);
    m_store.writeInt(sk::calcStartSection(), sk::calcCountKey(4), 2);
    m_store.writeInt(sk::portSection(), sk::baudRateKey(), 7);
    EXPECT_EQ(fileBytes(), gbk("[端口]\r\n波特率=7\r\ncom=-1\r\n"
                               "[MoKuai]\r\n毫秒=3\r\n"
                               "[CRC]\r\nCRC反=真\r\n"
                               "[计算起始]\r\n4几=2\r\n"));
    EXPECT_EQ(modeOf(m_store.settingsPath()), OWNER_READ_WRITE);
}

TEST_F(SettingsStoreTest, AwkwardTextsReadBack)
{
    const QString texts[] = {
        QStringLiteral("  01 03 10 00 00 25  "), QStringLiteral("\"quoted\""), QStringLiteral("'single'"),
        QStringLiteral("中文，全角１２３"), QStringLiteral("a=b;c[d]#e"), QString(10239, QLatin1Char('x')),
    };
    for (const QString &t : texts) {
        m_store.write(sk::sendSection(), sk::sendTextKey(), t);
        EXPECT_EQ(m_store.read(sk::sendSection(), sk::sendTextKey(), sk::sendTextDefault()), t) << t.toStdString();
    }
    // Line breaks would split the file's line; they are dropped.
    m_store.write(sk::sendSection(), sk::sendTextKey(), QStringLiteral("01 03\r\n[端口]\r\ncom=9"));
    EXPECT_EQ(m_store.read(sk::sendSection(), sk::sendTextKey()), QStringLiteral("01 03[端口]com=9"));
    EXPECT_EQ(m_store.read(sk::portSection(), sk::portKey(), QStringLiteral("none")), QStringLiteral("none"));
    // A value past the read limit is stored whole and read cut.
    m_store.write(sk::sendSection(), sk::sendTextKey(), QString(20000, QLatin1Char('y')));
    EXPECT_EQ(m_store.read(sk::sendSection(), sk::sendTextKey()), QString(10239, QLatin1Char('y')));
}

TEST_F(SettingsStoreTest, NumbersAndFlagsFromHandEditedValues)
{
    const struct {
        const char *value;
        int32_t number;
        bool flag;
    } cases[] = {
        {"真", 0, true}, {"假", 0, false}, {"1", 1, false}, {"", 0, false}, {"真 x", 0, false},
        {"  -12px", -12, false}, {"１２", 12, false}, {"4294967297", 1, false},
    };
    for (const auto &c : cases) {
        setFileBytes(gbk("[大小]\r\nKD=") + gbk(c.value) + "\r\n", m_store.settingsPath());
        EXPECT_EQ(m_store.readInt(sk::sizeSection(), sk::widthKey(), sk::WIDTH_DEFAULT_PX), c.number) << c.value;
        EXPECT_EQ(m_store.readFlag(sk::sizeSection(), sk::widthKey(), true), c.flag) << c.value;
    }
}

TEST_F(SettingsStoreTest, MultiLineTextUsesHashForLineBreaks)
{
    m_store.writeMultiLine(sk::calcOperationSection(), sk::calcOperationKey(1), QStringLiteral("+1000\r\n-1000\n*2\r/4"));
    EXPECT_EQ(fileBytes(), gbk("[16进制数据]\r\n数据1=+1000#-1000#*2#/4\r\n"));
    EXPECT_EQ(m_store.readMultiLine(sk::calcOperationSection(), sk::calcOperationKey(1)),
              QStringLiteral("+1000\r\n-1000\r\n*2\r\n/4"));

    m_store.write(sk::calcOperationSection(), sk::calcOperationKey(2), QStringLiteral("*1#+5"));
    EXPECT_EQ(m_store.readMultiLine(sk::calcOperationSection(), sk::calcOperationKey(2)), QStringLiteral("*1\r\n+5"));
    EXPECT_EQ(m_store.readMultiLine(sk::calcOperationSection(), sk::calcOperationKey(3)), QString());
}

TEST_F(SettingsStoreTest, NothingIsCachedAndTheLastWriterWins)
{
    setFileBytes("; kept\r\n[x]\r\nother=1\r\n", m_store.settingsPath());
    const SettingsStore other(m_dir.path());
    m_store.write(sk::moduleSection(), sk::firstAddressKey(), QStringLiteral("1"));
    other.write(sk::moduleSection(), sk::firstAddressKey(), QStringLiteral("2"));
    EXPECT_EQ(m_store.read(sk::moduleSection(), sk::firstAddressKey()), QStringLiteral("2"));

    setFileBytes(gbk("[MoKuai]\r\n地址起=3\r\n"), m_store.settingsPath());
    EXPECT_EQ(other.read(sk::moduleSection(), sk::firstAddressKey()), QStringLiteral("3"));
}

TEST_F(SettingsStoreTest, WriteKeepsEverythingElseInTheFile)
{
    setFileBytes(gbk("; kept\n[x]\nother = 1\n[mokuai]\n地址终=9\n"), m_store.settingsPath());
    m_store.write(sk::moduleSection(), sk::firstAddressKey(), QStringLiteral("5"));
    EXPECT_EQ(fileBytes(), "; kept\n[x]\nother = 1\n[mokuai]\n" + gbk("地址终=9\n地址起=5\n"));
}

TEST_F(SettingsStoreTest, LoopFileBytesUpToTheFirstZero)
{
    EXPECT_EQ(m_store.readLoopFile(), std::string());
    m_store.writeLoopFile(std::string("01 03\r\n02 03\0junk", 17));
    EXPECT_EQ(m_store.readLoopFile(), "01 03\r\n02 03");
    EXPECT_EQ(QFileInfo(m_store.loopFilePath()).size(), 17);
    EXPECT_EQ(modeOf(m_store.loopFilePath()), OWNER_READ_WRITE);
    m_store.writeLoopFile(std::string());
    EXPECT_EQ(QFileInfo(m_store.loopFilePath()).size(), 0);
    EXPECT_EQ(m_store.readLoopFile(), std::string());
}

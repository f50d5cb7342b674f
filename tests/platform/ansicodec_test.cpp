#include "platform/ansicodec.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

TEST(AnsiCodec, RoundTripsTheTextsTheProgramShows)
{
    const char *const samples[] = {
        "→", "←", "↑", "０１２３４５６７８９", "ＡＢＣａｂｃ", "\u3000",
        "Tavlo串口调试v2.36", "打开串口", "端口打开失败！可能被其他程序占用。", "换行间隔：毫秒", "",
    };
    for (const char *utf8 : samples) {
        const QString s = QString::fromUtf8(utf8);
        const std::string bytes = ansi::fromQString(s);
        EXPECT_EQ(bytes, gbk(utf8)) << utf8;
        EXPECT_EQ(ansi::toQString(bytes), s) << utf8;
    }
}

TEST(AnsiCodec, KnownGbkBytes)
{
    EXPECT_EQ(ansi::fromQString(QStringLiteral("→")), "\xA1\xFA");
    EXPECT_EQ(ansi::fromQString(QStringLiteral("中")), "\xD6\xD0");
    EXPECT_EQ(ansi::fromQString(QString(QChar(0x3000))), "\xA1\xA1");
    EXPECT_EQ(ansi::toQString(std::string("\xD6\xD0")), QStringLiteral("中"));
}

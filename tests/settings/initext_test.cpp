#include "settings/initext.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

#include <optional>

using ini::readValue;
using ini::writeValue;
using Value = std::optional<std::string>;

namespace {

// A file as a user or another program may have left it: comments, odd
// spacing, mixed case, duplicates, entries before any section, no final line break.
const std::string HAND_WRITTEN = gbk(
    "; settings\r\n"
    "orphan=before any section\r\n"
    "[端口]\r\n"
    "com=3\r\n"
    "  波特率 \t=\t 7  \r\n"
    "; 校验位=9\r\n"
    "数据位\r\n"
    "Com=99\r\n"
    "\r\n"
    "[ MoKuai ]  \r\n"
    "地址起=\r\n"
    "Quoted=\"  padded  \"\r\n"
    "single='x'\r\n"
    "lone=\"\r\n"
    "half=\"abc\r\n"
    "[端口]\r\n"
    "停止位=1\r\n"
    "[crc]\r\n"
    "CRC反=真");

} // namespace

TEST(IniText, ReadsHandWrittenFile)
{
    const struct {
        const char *section;
        const char *key;
        Value value;
    } cases[] = {
        {"端口", "com", "3"},
        {"端口", "COM", "3"},             // keys ignore ASCII case; the first duplicate wins
        {"端口", "波特率", "7"},          // blanks around key and value do not count
        {"端口", "校验位", std::nullopt}, // commented out
        {"端口", "数据位", std::nullopt}, // line without "="
        {"端口", "停止位", std::nullopt}, // only the first section of a name counts
        {"mokuai", "地址起", ""},         // present but empty is not missing
        {"MoKuai", "quoted", "  padded  "},
        {"MoKuai", "single", "x"},
        {"MoKuai", "lone", "\""},
        {"MoKuai", "half", "\"abc"},
        {" MoKuai ", " 地址起 ", ""},     // blanks around the names asked for do not count
        {"CRC", "crc反", "真"},           // last line without a line break
        {"", "orphan", std::nullopt},
        {"串口", "com", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(readValue(HAND_WRITTEN, gbk(c.section), gbk(c.key)), c.value ? gbk(*c.value) : c.value)
            << c.section << "/" << c.key;
}

TEST(IniText, ReadsLfOnlyFilesAndDoubleByteBrackets)
{
    EXPECT_EQ(readValue("[a]\nk=1\n[b]\nk=2", "b", "k"), Value("2"));
    EXPECT_EQ(readValue("[a]\r\r\nk=1\r\r\n", "a", "k"), Value("1"));
    // 0x5D "]" and 0x61 "a" as trail bytes belong to their characters.
    EXPECT_EQ(readValue("[\x81]x]\r\nk=1\r\n", "\x81]x", "k"), Value("1"));
    EXPECT_EQ(readValue("[\x81]\r\nk=1\r\n", "\x81", "k"), std::nullopt);
    EXPECT_EQ(readValue("[s]\r\n\x81\x61=1\r\n", "s", "\x81\x41"), std::nullopt);
    EXPECT_EQ(readValue("[s]\r\n\x81\x61z=1\r\n", "s", "\x81\x61Z"), Value("1"));
}

TEST(IniText, ReadCutsLongValues)
{
    const std::string content = "[s]\r\nk=" + std::string(20000, 'v') + "\r\n";
    EXPECT_EQ(readValue(content, "s", "k"), std::string(ini::VALUE_MAX_BYTES, 'v'));
}

TEST(IniText, WritePlacesKeysAndSections)
{
    const struct {
        std::string before;
        const char *section;
        const char *key;
        std::string after;
    } cases[] = {
        {"", "s", "k", "[s]\r\nk=v\r\n"},
        {"[s]\nk=old ; kept\n", "S", "K", "[s]\nk=v\n"},
        // in place: the key's own spelling and the line's blanks stay
        {"[s]\r\n  Key =  old  \r\nx=1", "s", "key", "[s]\r\n  Key =  v  \r\nx=1"},
        {"[s]\r\nk=\r\n", "s", "k", "[s]\r\nk=v\r\n"},
        {"[s]\r\nk=1\r\nk=2\r\n", "s", "k", "[s]\r\nk=v\r\nk=2\r\n"},
        // after the section's last entry, before blank and comment lines
        {"[s]\r\na=1\r\n\r\n;c\r\n[t]\r\n", "s", "k", "[s]\r\na=1\r\nk=v\r\n\r\n;c\r\n[t]\r\n"},
        {"[s]\r\n\r\n[t]\r\n", "s", "k", "[s]\r\nk=v\r\n\r\n[t]\r\n"},
        {"[s]\na=1", "s", "k", "[s]\na=1\nk=v"},
        {"[s]", "s", "k", "[s]\r\nk=v"},
        // new section at the end, in the file's own line breaks
        {"[t]\na=1\n", "s", "k", "[t]\na=1\n[s]\nk=v\n"},
        {"[t]\r\na=1", "s", "k", "[t]\r\na=1\r\n[s]\r\nk=v\r\n"},
        {"k=1\r\n", "s", "k", "k=1\r\n[s]\r\nk=v\r\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(writeValue(c.before, c.section, c.key, "v"), c.after) << c.before;
}

TEST(IniText, WrittenValuesReadBackUnchanged)
{
    const std::string values[] = {
        "", " ", "  lead", "trail\t", "\"quoted\"", "'single'", "\"", "\"\"", "a\"b\"", "x=y;z[]",
        gbk("01 03 10 00 00 25"), gbk("中文＃测试"), gbk("\u3000全角空格\u3000"), std::string("nul\0byte", 8),
    };
    for (const std::string &v : values) {
        std::string content = writeValue("", gbk("发送"), gbk("单数据"), "first");
        content = writeValue(content, gbk("发送"), gbk("单数据"), v);
        EXPECT_EQ(readValue(content, gbk("发送"), gbk("单数据")), v) << v;
        // also into an existing entry with blanks around its value
        content = writeValue("[s]\r\nk =  old  \r\n", "s", "k", v);
        EXPECT_EQ(readValue(content, "s", "k"), v) << v;
    }
}

TEST(IniText, LineBreaksInValuesAreDroppedSoTheFileKeepsItsLines)
{
    const std::string content = writeValue("[s]\r\na=1\r\n", "s", "k", "one\r\n[s]\r\na=2\ntwo\r");
    EXPECT_EQ(content, "[s]\r\na=1\r\nk=one[s]a=2two\r\n");
    EXPECT_EQ(readValue(content, "s", "a"), Value("1"));
    EXPECT_EQ(readValue(content, "s", "k"), Value("one[s]a=2two"));
}

TEST(IniText, LongValueIsStoredWholeAndReadCut)
{
    const std::string value = " " + std::string(20000, 'x');
    const std::string content = writeValue("", "s", "k", value);
    EXPECT_NE(content.find(value), std::string::npos);
    EXPECT_EQ(readValue(content, "s", "k"), value.substr(0, ini::VALUE_MAX_BYTES));
}

TEST(IniText, NamesThatCannotReadBackAreNotWritten)
{
    const struct {
        const char *section;
        const char *key;
    } cases[] = {
        {"s", ""}, {"s", "  "}, {"s", "a=b"}, {"s", ";k"}, {"s", "[k]"}, {"s", "[k"},
        {"s", "a\nb"}, {"a\nb", "k"}, {"\x81", "k"},
    };
    for (const auto &c : cases) {
        EXPECT_FALSE(ini::isWritable(c.section, c.key)) << c.section << "/" << c.key;
        EXPECT_EQ(writeValue("[s]\r\n", c.section, c.key, "v"), "[s]\r\n") << c.section << "/" << c.key;
    }
    EXPECT_TRUE(ini::isWritable("a]b", "k"));
    EXPECT_EQ(readValue(writeValue("", "a]b", "k", "v"), "a]b", "k"), Value("v"));
}

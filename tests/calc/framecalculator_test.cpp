#include "calc/framecalculator.h"
#include "support/gbk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

// 01 03 04 00 0A 00 14 3B F2: a register read answer with its CRC.
const std::string ANSWER = "01 03 04 00 0A 00 14 3B F2 ";

struct Row
{
    std::string frame;
    int32_t start, count;
    std::string operations, hexText, resultText;
};

void expectRows(const std::vector<Row> &rows)
{
    for (const Row &r : rows) {
        const CalcResult got = computeColumn(r.frame, r.start, r.count, r.operations);
        EXPECT_EQ(got.hexText, r.hexText) << "frame \"" << r.frame << "\" start " << r.start << " count " << r.count
                                          << " ops \"" << r.operations << "\"";
        EXPECT_EQ(got.resultText, r.resultText) << "frame \"" << r.frame << "\" start " << r.start << " count "
                                                << r.count << " ops \"" << r.operations << "\"";
    }
}

} // namespace

TEST(FrameCalculator, FieldsOfAnAnswerFrame)
{
    expectRows({
        {ANSWER, 4, 2, "/1000", "000A", "0.01"},
        {ANSWER, 6, 2, "", "0014", "20"},
        {ANSWER, 1, 2, "", "0103", "259"},
        {ANSWER, 4, 4, "", "000A0014", "655380"},
        {ANSWER, 8, 4, "", "3BF2", "15346"}, // runs past the end: shortened, not padded
        {ANSWER, 10, 2, "+5", "", "5"},
        {ANSWER, 0, 3, "", "", "0"},
        {ANSWER, 3, 0, "+1000\r\n-1000\r\n*1000\r\n/1000", "", "0"},
        {ANSWER, 4, 2, "/3", "000A", "3.333333333333"},
        {ANSWER, 4, 2, " +5", "000A", "10"}, // first byte a space: skipped
        {ANSWER, 4, 2, "*1e13", "000A", "1e+014"},
        {ANSWER, 9, 1, "", "F2", "242"},
        {ANSWER, 9, 4, "", "F2", "242"},
        {ANSWER, -1, 2, "", "", "0"},
        {ANSWER, 4, -1, "", "", "0"},
    });
}

TEST(FrameCalculator, FourByteFieldsAreSigned)
{
    expectRows({
        {"FF FF FF FF ", 1, 4, "", "FFFFFFFF", "-1"},
        {"80 00 00 00 ", 1, 4, "", "80000000", "-2147483648"},
        {"7F FF FF FF ", 1, 4, "", "7FFFFFFF", "2147483647"},
        {"FF FF FF ", 1, 3, "", "FFFFFF", "16777215"},
        {"FF FF FF FF ", 1, 4, "*-1\r\n/2", "FFFFFFFF", "0.5"},
        // A frame text without its last space still gives the last byte whole.
        {"01 02", 2, 1, "", "02", "2"},
    });
}

TEST(FrameCalculator, EmptyFrameRunsTheChainFromZero)
{
    expectRows({
        {"", 1, 2, "+1000\r\n-1000\r\n*1000\r\n/1000", "", "0"},
        {"", 4, 2, "+5\r\n*3", "", "15"},
        {"", 1, 4, "", "", "0"},
    });
}

TEST(FrameCalculator, Steps)
{
    expectRows({
        // Lines in order, without rounding between steps.
        {ANSWER, 4, 2, "*3\r\n/7\r\n+0.5\r\n-2", "000A", "2.785714285714"},
        {ANSWER, 4, 2, "/3\r\n*3", "000A", "10"},
        // Empty lines and lines starting with another byte are skipped.
        {ANSWER, 4, 2, "\r\n+1\r\n\r\nx*5\r\n=9\r\n*2", "000A", "22"},
        // A trailing line break adds no step; a lone "\n" is no line break.
        {ANSWER, 4, 2, "+1\r\n", "000A", "11"},
        {ANSWER, 4, 2, "+1\n*2", "000A", "11"},
        // Operand: blanks, sign, point, exponent, and the text after the number ignored.
        {ANSWER, 4, 2, "+ -2.5e1kg", "000A", "-15"},
        {ANSWER, 4, 2, "*.5", "000A", "5"},
        {ANSWER, 4, 2, "*2E-3", "000A", "0.02"},
        // Full-width forms read as ASCII, in the operand only.
        {ANSWER, 4, 2, gbk("*２．５"), "000A", "25"},
        {ANSWER, 4, 2, gbk("＋5"), "000A", "10"},
        // No number reads 0.
        {ANSWER, 4, 2, "+abc", "000A", "10"},
        {ANSWER, 4, 2, "*", "000A", "0"},
    });
}

TEST(FrameCalculator, ResultText)
{
    expectRows({
        {ANSWER, 4, 2, "*1e11", "000A", "1000000000000"},
        {ANSWER, 4, 2, "*1e12", "000A", "1e+013"},
        {ANSWER, 4, 2, "*1e11\r\n+0.25", "000A", "1000000000000"},
        {ANSWER, 4, 2, "/1e5", "000A", "0.0001"},
        {ANSWER, 4, 2, "/1e6", "000A", "1e-005"},
        {ANSWER, 4, 2, "*1.5e300\r\n*1e7", "000A", "1.5e+308"},
        {ANSWER, 4, 2, "/3\r\n*-1e-200", "000A", "-3.333333333333e-200"},
        {ANSWER, 4, 2, "-0.1\r\n-0.2", "000A", "9.7"},
    });
}

TEST(FrameCalculator, DivisionByZeroAndOverflow)
{
    expectRows({
        {ANSWER, 4, 2, "/0", "000A", "inf"},
        {ANSWER, 4, 2, "/x", "000A", "inf"},
        {ANSWER, 4, 2, "*-1\r\n/0", "000A", "-inf"},
        {ANSWER, 0, 0, "/0", "", "nan"},
        {ANSWER, 4, 2, "/0\r\n*0", "000A", "nan"},
        {ANSWER, 4, 2, "/0\r\n-1e308\r\n+5", "000A", "inf"},
        {ANSWER, 4, 2, "*1e308", "000A", "inf"},
    });
}

TEST(FrameCalculator, ExtremeStartAndCount)
{
    const int32_t max = std::numeric_limits<int32_t>::max();
    const int32_t min = std::numeric_limits<int32_t>::min();
    expectRows({
        {ANSWER, max, max, "", "", "0"},
        {ANSWER, max, 1, "", "", "0"},
        {ANSWER, 9, max, "", "F2", "242"},
        {ANSWER, 1, max, "", "010304000A00143BF2", "0"}, // too long to read as a number
        {ANSWER, min, max, "", "", "0"},
        {ANSWER, 1, min, "", "", "0"},
        {ANSWER, min, min, "", "", "0"},
    });
}

TEST(FrameCalculator, FormatResult)
{
    EXPECT_EQ(formatResult(0.0), "0");
    EXPECT_EQ(formatResult(-0.5), "-0.5");
    EXPECT_EQ(formatResult(1234567890123.0), "1234567890123");
    EXPECT_EQ(formatResult(12345678901234.0), "1.234567890123e+013");
    EXPECT_EQ(formatResult(5e-324), "4.940656458412e-324");
    EXPECT_EQ(formatResult(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(formatResult(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(formatResult(-std::numeric_limits<double>::quiet_NaN()), "nan");
}

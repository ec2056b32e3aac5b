#include "calibration/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common/ansi_text.h"

namespace quillet {
namespace {

std::string Show(std::u16string_view text) {
  return "\"" + ToUtf8(text) + "\"";
}

std::uint64_t Bits(double value) {
  return std::bit_cast<std::uint64_t>(value);
}

// Plain digits from a millionth to below 1e21, an exponent beyond; never a
// thousands separator.
TEST(FormatNumber, WritesShortestDecimalText) {
  struct Case {
    double value;
    std::u16string text;
  };
  const Case cases[] = {
      {0.0, u"0"},
      {-0.0, u"0"},
      {1.0, u"1"},
      {-5.0, u"-5"},
      {0.25, u"0.25"},
      {-0.125, u"-0.125"},
      {0.1, u"0.1"},
      {-0.5, u"-0.5"},
      {1234567.5, u"1234567.5"},
      {1.0 / 3.0, u"0.3333333333333333"},
      {0.1 + 0.2, u"0.30000000000000004"},
      {0.0005, u"0.0005"},
      {100000.0, u"100000"},
      {-0.0005, u"-0.0005"},
      {1e-6, u"0.000001"},
      {-1.5e-5, u"-0.000015"},
      {0.000123456789, u"0.000123456789"},
      {123456789012345678.0, u"123456789012345680"},
      {-1e20, u"-100000000000000000000"},
      {std::nextafter(1e21, 0.0), u"999999999999999868928"},  // exact: as short as rounded
      {std::nextafter(1e-6, 0.0), u"9.999999999999997e-07"},
      {1e-7, u"1e-07"},
      {1e21, u"1e+21"},
      {-2.5e21, u"-2.5e+21"},
      {1e300, u"1e+300"},
      {1e-300, u"1e-300"},
      {DBL_MAX, u"1.7976931348623157e+308"},
      {-DBL_MAX, u"-1.7976931348623157e+308"},
      {DBL_MIN, u"2.2250738585072014e-308"},
      {4.9406564584124654e-324, u"5e-324"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.value), c.text) << c.value;
}

TEST(ParseOffset, AcceptsAWholeLineThatIsOneNumber) {
  struct Case {
    std::u16string line;
    double value;
  };
  const Case cases[] = {
      {u"0", 0.0},      {u".25", 0.25},    {u"-.5", -0.5},       {u"0.125", 0.125},
      {u"5.", 5.0},     {u"+3", 3.0},      {u"-0", 0.0},         {u"007", 7.0},
      {u" 0.25", 0.25}, {u"0.25  ", 0.25}, {u"\t-1\t", -1.0},    {u"1e3", 1000.0},
      {u"1E-2", 0.01},  {u"2d1", 20.0},    {u"2D+1", 20.0},      {u".5e1", 5.0},
      {u"5.e-1", 0.5},  {u"1e-400", 0.0},  {u"-1.5E+2", -150.0}, {u"  +.75 ", 0.75},
  };
  for (const Case& c : cases) {
    const std::optional<double> value = ParseOffset(c.line);
    ASSERT_TRUE(value.has_value()) << Show(c.line);
    EXPECT_EQ(*value, c.value) << Show(c.line);
  }
}

TEST(ParseOffset, RefusesEverythingElse) {
  const std::u16string lines[] = {
      u"",    u" ",    u"\t",      u".",       u"-",   u"+",    u"-.",    u"1/8",    u" 1/8",
      u"1,5", u"1 5",  u"abc",     u"0.25abc", u"x1",  u"0x10", u"&H10",  u"1e",     u"1e+",
      u"e5",  u"--1",  u"+-1",     u"1.2.3",   u"inf", u"nan",  u"1e999", u"-1e999", u"0\n0",
      u"0\n", u"1 e3", u"\u00a01", u"\uff11",  u"1\r", u"- 1",
  };
  for (const std::u16string& line : lines) {
    EXPECT_FALSE(ParseOffset(line).has_value()) << Show(line);
  }
}

TEST(ReadNumber, ReadsTheLeadingNumberOfAnAnswer) {
  struct Case {
    std::u16string answer;
    double value;
  };
  const Case cases[] = {
      {u".25", 0.25}, {u"-.125", -0.125}, {u"1/4", 1.0},        {u"1 5", 15.0},
      {u"1,5", 1.0},  {u"abc", 0.0},      {u"", 0.0},           {u"+", 0.0},
      {u"-", 0.0},    {u".", 0.0},        {u".5 inch", 0.5},    {u"2E3", 2000.0},
      {u"2d-1", 0.2}, {u"1e", 1.0},       {u"1e+", 1.0},        {u"1ex", 1.0},
      {u"&H10", 0.0}, {u"&O17", 0.0},     {u" - 1 . 5 ", -1.5}, {u"1\t2\n3", 123.0},
      {u"+7", 7.0},   {u"5.", 5.0},       {u"1.2.3", 1.2},      {u"$5", 0.0},
      {u"3$", 3.0},   {u"1 e 2", 100.0},  {u"0.1", 0.1},        {u"--1", 0.0},
      {u"1\r5", 1.0}, {u"\u00a05", 0.0},  {u"12abc34", 12.0},   {u"1E-2mm", 0.01},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadNumber(c.answer), c.value) << Show(c.answer);
}

TEST(ReadNumber, OverflowGivesAnInfinityAndUnderflowAZeroOrSubnormal) {
  EXPECT_EQ(ReadNumber(u"1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber(u"-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber(u"0.0001e313"), std::numeric_limits<double>::infinity());  // 1e309
  EXPECT_EQ(ReadNumber(u"0.00001e313"), 1e308);
  EXPECT_EQ(ReadNumber(u"1e-999"), 0.0);
  EXPECT_EQ(ReadNumber(u"-1e-999"), 0.0);
  EXPECT_EQ(ReadNumber(u"100000e-330"), 0.0);  // 1e-325, below half the least subnormal
  EXPECT_EQ(ReadNumber(u"3e-324"), std::numeric_limits<double>::denorm_min());  // rounds up
  EXPECT_EQ(ReadNumber(u"5e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(ReadNumber(u"0e99999999999999999999"), 0.0);
  EXPECT_EQ(ReadNumber(u"1" + std::u16string(400, u'0')), std::numeric_limits<double>::infinity());
}

// Every value the calibration entry can write must come back unchanged through
// both readers: the printing's ParseOffset and the answer reader.
std::vector<double> RoundTripValues() {
  std::vector<double> values = {
      DBL_MAX, -DBL_MAX, DBL_MIN,  -DBL_MIN,   std::numeric_limits<double>::denorm_min(),
      1e-300,  1e300,    0.1,      -0.1,       1.0 / 3.0,
      0.0,     -0.0,     0.25,     -0.125,     9007199254740993.0,
      1e15,    1e16,     1e21,     1e22,       123456789012345678.0,
      -5.49,   4.6875,   2.0e-308, 5e-324 * 3,
  };
  std::mt19937_64 random(20240611);
  while (values.size() < 20000) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) values.push_back(value);
  }
  // Random bits seldom land where plain digits are written; these do.
  std::uniform_real_distribution<double> power(-6.5, 21.5);
  for (int i = 0; i < 5000; ++i) {
    const double value = std::pow(10.0, power(random));
    values.push_back(i % 2 == 0 ? value : -value);
  }
  return values;
}

TEST(FormatNumber, ReadsBackExactlyThroughBothReaders) {
  int failures = 0;
  for (const double value : RoundTripValues()) {
    const double expected = value == 0 ? 0.0 : value;  // -0 is written as "0"
    const std::u16string text = FormatNumber(value);
    const std::optional<double> offset = ParseOffset(text);
    const bool offset_ok = offset.has_value() && Bits(*offset) == Bits(expected);
    const bool answer_ok = Bits(ReadNumber(text)) == Bits(expected);
    if (!offset_ok || !answer_ok) {
      ADD_FAILURE() << Show(text) << " from " << value;
      if (++failures > 10) break;
    }
  }
}

}  // namespace
}  // namespace quillet

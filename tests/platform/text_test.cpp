#include "platform/text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <tuple>

namespace sw {
namespace {

using FormatCase = std::tuple<double, const char*, const char*>;

TEST(Val, LeadingNumberOfAnyText) {
  const std::pair<const char*, double> cases[] = {
      {"12abc", 12}, {"", 0},        {"abc", 0},   {" 500", 500}, {"-3", -3},    {".5", 0.5},   {"-.25", -0.25},
      {"1 2 3", 123} /* blanks inside are skipped */, {"1,5", 1} /* a comma ends the number */,  {"1.5.6", 1.5},
      {"2e3", 2000}, {"2D2", 200},   {"2e", 2} /* an exponent needs a digit */, {"&H1F", 31}, {"&O17", 15},
      {"+7x", 7},    {"-", 0},       {".", 0},     {"1e-999", 0},
      // The nearest double to the decimal, however many digits it has.
      {"0.1", 0.1},  {"3400.05", 3400.05}, {"123456789012345", 123456789012345.0}, {".000000000000001", 1e-15},
      {"1234567890123456", 1234567890123456.0}, {"12.3456789012345678", 12.3456789012345678}, {"1.", 1}};
  for (auto [text, want] : cases) EXPECT_EQ(Val(text), want) << text;
  EXPECT_TRUE(std::signbit(Val("-0"))) << "a minus zero keeps its sign";
  EXPECT_TRUE(std::isfinite(Val("1e999")));
  EXPECT_GT(Val("1e999"), 1e300);
  EXPECT_GT(Val(std::string(100000, '9')), 1e300);
  // Out of range either way: the size of the number decides, not an "e-" in
  // the text. The largest finite value or 0, with the sign of the text.
  const double kMax = std::numeric_limits<double>::max();
  const std::string big = "1" + std::string(400, '0');
  const std::pair<std::string, double> ranges[] = {
      {big + "e-1", kMax},          {"-" + big + "e-1", -kMax},     {big + "e-80", kMax},
      {big + "e-800", 0},           {"." + std::string(400, '0') + "1e+5", 0}, {"0.001e-400", 0},
      {"1e99999999999999999999999", kMax}, {"1e-99999999999999999999999", 0}, {"00012e400", kMax},
      {"-.5e-330", 0},              {"1.5e308", 1.5e308} /* in range: as it reads */};
  for (const auto& [text, want] : ranges) EXPECT_EQ(Val(text), want) << text.substr(0, 20) << "..";
  std::string junk;
  for (int i = 0; i < 256; ++i) junk += static_cast<char>(i);
  EXPECT_TRUE(std::isfinite(Val(junk)));
}

TEST(IsNumeric, WholeNumbersOnly) {
  for (const char* yes : {"12", " -.5 ", "300.001", "1E3", "+4.", "2e-2"}) EXPECT_TRUE(IsNumeric(yes)) << yes;
  for (const char* no : {"", " ", ".", "-", "12abc", "1,2", "E3", "1E", "ten", "4 4"}) EXPECT_FALSE(IsNumeric(no)) << no;
}

TEST(Str, LeadingBlankForNonNegative) {
  const std::pair<double, const char*> cases[] = {
      {500, " 500"},    {-3, "-3"},          {0, " 0"},         {0.5, " .5"},
      {-0.25, "-.25"},  {1.25, " 1.25"},     {0.1, " .1"},      {1e20, " 1E+20"},
      {0.00001, " 1E-05"}, {0.0001, " .0001"}, {123456789012345.0, " 123456789012345"},
      {2.0 / 3.0, " .666666666666667"}};
  for (auto [v, want] : cases) EXPECT_EQ(Str(v), want) << want;
  EXPECT_EQ(StrSingle(0.1f), " .1");
}

TEST(Format, Patterns) {
  const FormatCase cases[] = {
      {0, "#####0", "0"},        {0, "####.00", ".00"},       {0, "#", ""},
      {2, "#", "2"},             {0.5, "#", "1"},             {7.0 / 3.0, "##.000", "2.333"},
      {0.6, ".0", ".6"},         {-0.25, "#####.00", "-.25"}, {-0.7, "####0", "-1"},
      {-0.001, "####.00", ".00"} /* no sign on a zero */,     {5, "###00", "05"},
      {6049.6, "###00", "6050"}, {12, "###.##", "12."},       {12.345, "###.##", "12.35"},
      {99.96, "###.0", "100.0"}, {8.456, "##.00", "8.46"},    {2.675, "#.00", "2.68"} /* half away from 0 */,
      {1.005, "#.00", "1.01"},   {0.125, "#.00", ".13"},      {-0.125, "#.00", "-.13"},
      {1234567, "#,##0", "1,234,567"}, {999.95, "####.0", "1000.0"}, {0.04, "####.0", ".0"},
      {0.05, "####.0", ".1"},    {1e-9, "#####.0000", ".0000"}, {350, "####0", "350"}};
  for (auto [v, pattern, want] : cases) EXPECT_EQ(Format(v, pattern), want) << v << " " << pattern;
}

TEST(FormatDecimals, ByDecimals) {
  const std::tuple<double, int, const char*> cases[] = {
      {0.5, 2, ".50"},     {-0.25, 2, "-.25"},          {0, 0, "0"},        {1.2346, 3, "1.235"},
      {62.346, 2, "62.35"}, {1.2346, 2, "1.23"},        {62.346, 1, "62.3"}, {0.45, 2, ".45"},
      {2640.0 / 5280.0, 2, ".50"}, {-0.7, 0, "-1"},     {1.23456, 4, "1.2346"}, {1320.4, 7, "1320"},
      {1.5, 7, "2"}};
  for (auto [v, d, want] : cases) EXPECT_EQ(FormatDecimals(v, d), want) << v << " " << d;
}

TEST(Rounding, IntFixHalfEven) {
  EXPECT_EQ(Int(-2.5), -3);
  EXPECT_EQ(Int(2.9), 2);
  EXPECT_EQ(Fix(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(CInt(0.5), 0);
  EXPECT_EQ(CInt(1.5), 2);
  EXPECT_EQ(CInt(1e9), 32767);
  EXPECT_FALSE(InRange16(40000));
  EXPECT_TRUE(InRange16(-32768));
}

TEST(Strings, RuntimeHelpers) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(Left("abc", 2), "ab");
  EXPECT_EQ(Left("abc", 9), "abc");
  EXPECT_EQ(Right(Str(3), 1), "3");
  EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Mid("abcdef", 5), "ef");
  EXPECT_EQ(Mid("abc", 9), "");
  EXPECT_EQ(InStr("abcabc", "c"), 3);
  EXPECT_EQ(InStr("abcabc", "c", 4), 6);
  EXPECT_EQ(InStr("abc", "x"), 0);
  EXPECT_TRUE(EqualsNoCase("VehDat", "VEHDAT"));
}

TEST(FormatDate, HistoryTitlePattern) {
  std::tm tm{};
  tm.tm_year = 126;
  tm.tm_mon = 11;
  tm.tm_mday = 7;
  tm.tm_wday = 1;
  tm.tm_hour = 20;
  tm.tm_min = 5;
  EXPECT_EQ(FormatDate(tm, "ddd mmm d yy  h:mm am/pm"), "Mon Dec 7 26  8:05 pm");
  tm.tm_hour = 0;
  EXPECT_EQ(FormatDate(tm, "ddd mmm d yy  h:mm am/pm"), "Mon Dec 7 26  12:05 am");
  EXPECT_EQ(FormatDate(tm, "mm/dd/yyyy"), "12/07/2026");
}

TEST(Cp1252, RoundTrip) {
  const std::string bytes = "Caf\xE9 \x80 \x93quoted\x94";
  const std::string utf8 = Cp1252ToUtf8(bytes);
  EXPECT_EQ(utf8, "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cquoted\xE2\x80\x9D");
  EXPECT_EQ(Utf8ToCp1252(utf8), bytes);
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");  // not in the code page
}

// The figures every number in a file or on screen relies on.
void ExpectKeyFigures() {
  EXPECT_EQ(Format(.5, "####.00"), ".50");
  EXPECT_EQ(Format(1234.567, "####.00"), "1234.57");
  EXPECT_EQ(Format(12, "#####0"), "12");
  EXPECT_EQ(Str(500), " 500");
  EXPECT_EQ(Str(-3), "-3");
  EXPECT_EQ(Str(0.5), " .5");
  EXPECT_EQ(Val("12abc"), 12);
  EXPECT_EQ(Val("1.5"), 1.5);
  EXPECT_EQ(Val(""), 0);
}

TEST(Locale, KeyFiguresInTheCLocale) { ExpectKeyFigures(); }

// Racers in Europe run the program with a decimal comma; numbers in files and
// on screen keep the decimal point.
TEST(Locale, DecimalCommaLocaleChangesNothing) {
  const char* got = nullptr;
  for (const char* n : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"})
    if ((got = std::setlocale(LC_ALL, n))) break;
  ASSERT_NE(got, nullptr) << "no locale with a decimal comma is installed";
  ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
  ExpectKeyFigures();
  std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace sw

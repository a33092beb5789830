#include "problem/text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <sstream>
#include <vector>

#include "tests/problem/local_time.h"

namespace tamso {
namespace {

std::vector<std::string> records(const std::string& text, int* lastStatus = nullptr) {
  std::istringstream in(text);
  std::vector<std::string> out;
  std::string line;
  int status = 0;
  while ((status = readRecordLine(in, line)) == 1) out.push_back(line);
  if (lastStatus) *lastStatus = status;
  return out;
}

TEST(RecordLine, ContinuationsJoinWithSingleBlanksAndSkipComments) {
  const auto r = records("  first  part \\\n# comment inside\n\tsecond\t\\\nthird  \n\n   \nnext\n");
  ASSERT_EQ(r.size(), 2u);
  // Trailing blanks of a piece go, the next piece's leading blanks stay.
  EXPECT_EQ(r[0], "first  part \tsecond third");
  EXPECT_EQ(r[1], "next");
}

TEST(RecordLine, UnfinishedContinuationAtEndOfFileIsDropped) {
  int status = 1;
  const auto r = records("one\ntwo \\\n", &status);
  EXPECT_EQ(r, std::vector<std::string>{"one"});
  EXPECT_EQ(status, 0);
  EXPECT_EQ(records("last without newline"), std::vector<std::string>{"last without newline"});
}

TEST(RecordLine, LongPhysicalLinesStayWhole) {
  const std::string longLine = "ORDER " + std::string(5000, 'x');
  const auto r = records(longLine + "\nnext\n");
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0], longLine);
}

TEST(RecordLine, CarriageReturnsBeforeNewlinesDoNotBreakContinuations) {
  EXPECT_EQ(records("a \\\r\nb\r\n"), std::vector<std::string>{"a b"});
}

TEST(RecordLine, ReaderNamesTheLineWhereEachRecordBegins) {
  std::istringstream in("# head\n\nfirst \\\nrest\nsecond\n");
  RecordReader reader(in);
  std::string line;
  ASSERT_EQ(reader.next(line), 1);
  EXPECT_EQ(reader.recordLine(), 3);
  ASSERT_EQ(reader.next(line), 1);
  EXPECT_EQ(reader.recordLine(), 5);
}

TEST(Tokens, SeparatorsQuotesAndUpperCase) {
  const std::string line = "  warszawa!PL,de(x)\"le havre\" a*b \xF3zd\t";
  std::size_t pos = 0;
  EXPECT_EQ(nextToken(line, pos), "WARSZAWA");
  EXPECT_EQ(nextToken(line, pos), "PL,DE");  // commas join names
  EXPECT_EQ(nextToken(line, pos), "X");
  EXPECT_EQ(nextToken(line, pos), "LE HAVRE");
  EXPECT_EQ(nextToken(line, pos), "A");
  EXPECT_EQ(nextToken(line, pos), "B");
  EXPECT_EQ(nextToken(line, pos), "ZD");  // bytes above 0x7F that are not UTF-8 separate
  EXPECT_EQ(nextToken(line, pos), "");
  EXPECT_EQ(nextToken(line, pos), "");
  std::size_t blanks = 0;
  EXPECT_EQ(nextToken("    ", blanks), "");
  std::size_t open = 0;
  EXPECT_EQ(nextToken("\"unclosed name", open), "UNCLOSED NAME");
  EXPECT_EQ(open, 14u);
}

// Names written in UTF-8 are names, letters beyond ASCII included, upper-cased by the
// Unicode case mapping; text that is not UTF-8 keeps the byte rules.
TEST(Tokens, UnicodeNames) {
  struct Case {
    const char* line;
    std::vector<std::string> tokens;
  };
  const Case cases[] = {
      {"Krak\xC3\xB3w 50.06 19.94", {"KRAK\xC3\x93W", "50.06", "19.94"}},
      {"\xC5\x81\xC3\xB3"
       "d\xC5\xBA \xC5\x81\xC3\x93"
       "D\xC5\xB9",
       {"\xC5\x81\xC3\x93"
        "D\xC5\xB9",
        "\xC5\x81\xC3\x93"
        "D\xC5\xB9"}},
      {"\"\xC5\x81\xC3\xB3"
       "d\xC5\xBA\" x",
       {"\xC5\x81\xC3\x93"
        "D\xC5\xB9",
        "X"}},
      {"stra\xC3\x9F"
       "e",
       {"STRASSE"}},  // full case mapping
      {"A\xC2\xA0"
       "b\xC2\xAB"
       "c",
       {"A", "B", "C"}},                               // no-break space, guillemet
      {"e\xCC\x81t\xC3\xA9", {"E\xCC\x81T\xC3\x89"}},  // a combining accent stays
      {"\"\xA3\xF3"
       "d\x9F\"",
       {"\xA3\xF3"
        "D\x9F"}},  // Windows-1250 quoted: bytes kept
      {"\xA3\xF3"
       "d\x9F",
       {"D"}},             // and unquoted: separators
      {"ab\xC3", {"AB"}},  // a cut sequence separates
  };
  for (const Case& c : cases) {
    std::vector<std::string> got;
    std::size_t pos = 0;
    for (std::string token; !(token = nextToken(c.line, pos)).empty();) got.push_back(token);
    EXPECT_EQ(got, c.tokens) << c.line;
  }
}

TEST(Digits, RunsAndValues) {
  std::size_t pos = 0;
  const std::string line = "ab12cd345";
  EXPECT_EQ(nextDigits(line, pos), "12");
  EXPECT_EQ(nextDigits(line, pos), "345");
  EXPECT_EQ(nextDigits(line, pos), "");
  EXPECT_EQ(digitsToInt("0042"), 42);
  EXPECT_EQ(digitsToInt(""), 0);
  // No check: ten digits wrap in 32 bits (and must not be undefined behaviour).
  EXPECT_EQ(digitsToInt("4294967297"), 1);
}

TEST(Reals, TheOddRealSyntax) {
  EXPECT_DOUBLE_EQ(parseReal("-12.5"), -12.5);
  EXPECT_DOUBLE_EQ(parseReal("3,25"), 3.25);
  EXPECT_DOUBLE_EQ(parseReal("7"), 7.0);
  EXPECT_DOUBLE_EQ(parseReal("1e5"), 1.5);
  EXPECT_DOUBLE_EQ(parseReal("-.5"), -0.5);
  EXPECT_DOUBLE_EQ(parseReal("+2.05"), 2.05);
  EXPECT_DOUBLE_EQ(parseReal("abc"), 0.0);
  EXPECT_DOUBLE_EQ(parseReal("12."), 12.0);
}

class LocalTimeTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::useCentralEuropeanTime(); }
  static std::int32_t parse(const std::string& text) {
    std::size_t pos = 0;
    return parseDateTime(text, pos);
  }
};

TEST_F(LocalTimeTest, DateTimesReadInLocalTimeWhateverTheSeparators) {
  EXPECT_EQ(parse("2001-05-17 08:30"), 16501350);
  EXPECT_EQ(parse("2001/5/17 8.30"), 16501350);
  // Daylight saving follows the date read, not the moment of reading.
  EXPECT_EQ(parse("2024-01-15 12:00"), 28421940);
  EXPECT_EQ(parse("2024-07-15 12:00"), 28683960);
}

TEST_F(LocalTimeTest, OutOfRangeFieldsAreNormalised) {
  EXPECT_EQ(parse("2001-13-40 25:61"), parse("2002-02-10 02:01"));
}

TEST_F(LocalTimeTest, MissingOrImpossibleDatesAreNotPositive) {
  EXPECT_LE(parse(""), 0);
  EXPECT_LE(parse("1960-01-01 00:00"), 0);
  EXPECT_LT(parse("9999999-01-01 00:00"), 0);  // beyond 32-bit minutes
}

TEST_F(LocalTimeTest, WindowsAreOrderedAndStepPastOneCharacter) {
  const std::string line = "2001-05-17 08:30 2001-05-17 08:00 2001-05-17 07:00|X";
  std::size_t pos = 0;
  const auto w = readWindow(line, pos);
  ASSERT_TRUE(w);
  EXPECT_EQ(*w, FuzzyWindow(16501350, 16501350, 16501350));
  EXPECT_EQ(line.substr(pos), "X");
  std::size_t bad = 0;
  EXPECT_FALSE(readWindow("2001-05-17 08:30 2001-05-17 09:00", bad));
}

TEST_F(LocalTimeTest, FuzzyTimesKeepTheirOrder) {
  std::size_t pos = 0;
  const auto t = readFuzzyTime("2001-05-17 09:30 2001-05-17 08:30 2001-05-17 08:40 REST", pos);
  ASSERT_TRUE(t);
  EXPECT_EQ(*t, FuzzyTime(16501410, 16501350, 16501360));
  std::size_t bad = 0;
  EXPECT_FALSE(readFuzzyTime("2001-05-17 09:30", bad));
}

TEST_F(LocalTimeTest, FormatsLocalTimes) {
  EXPECT_EQ(formatDateTime(16501350), "2001-05-17 08:30");
  EXPECT_EQ(formatDateTime(0), "1970-01-01 01:00");
  EXPECT_EQ(FuzzyWindow(16501350, 16501360, 16501410).format(0), "[ 2001-05-17 08:30; 2001-05-17 09:30 ]");
}

TEST(TwoDecimals, CutsOffInsteadOfRounding) {
  EXPECT_EQ(formatTwoDecimals(12.345), "12.34");
  EXPECT_EQ(formatTwoDecimals(0.5), ".50");
  EXPECT_EQ(formatTwoDecimals(-3.5), "-3.50");
  EXPECT_EQ(formatTwoDecimals(0.05), ".05");
  EXPECT_EQ(formatTwoDecimals(1.999), "1.99");
  EXPECT_EQ(formatTwoDecimals(0.001), ".00");
  EXPECT_EQ(formatTwoDecimals(1234567.891), "1234567.89");
  // Rounded at the tenth significant digit first.
  EXPECT_EQ(formatTwoDecimals(1.99999999999), "2.00");
}

// The byte-order mark is skipped at the start of a file only; a line or a continued record
// beyond the limit stops the reader at that line without holding more than the limit.
TEST(RecordLines, ByteOrderMarkAndLengthLimit) {
  std::istringstream marked("\xEF\xBB\xBF# comment\nA b\n");
  std::string line;
  ASSERT_EQ(readRecordLine(marked, line), 1);
  EXPECT_EQ(line, "A b");

  const std::string longest(maxRecordLineLength, 'x');
  struct Case {
    std::string text;
    int status;
    int line;
  };
  const Case cases[] = {
      {"a\n" + longest + "\nb\n", 1, 2},
      {"a\n" + longest + "y\nb\n", RecordReader::lineTooLong, 2},
      {"a\n# c\n" + longest.substr(10) + "\\\n" + std::string(20, 'z') + "\n", RecordReader::lineTooLong, 4},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.text);
    RecordReader reader(in);
    ASSERT_EQ(reader.next(line), 1);
    EXPECT_EQ(reader.next(line), c.status);
    EXPECT_EQ(reader.recordLine(), c.line);
  }
}

// The plain conversion the reader must agree with: the standard local-time conversion, and
// -1 for dates from 2200 on.
std::int32_t referenceDateTime(int year, int month, int day, int hour, int minute) {
  std::tm calendar{};
  calendar.tm_year = year - 1900;
  calendar.tm_mon = month - 1;
  calendar.tm_mday = day;
  calendar.tm_hour = hour;
  calendar.tm_min = minute;
  std::tm wall = calendar;
  std::tm latest{};
  latest.tm_year = 2200 - 1900;
  latest.tm_mday = 1;
  if (timegm(&wall) >= timegm(&latest)) return -1;
  calendar.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&calendar);
  return seconds <= 0 ? static_cast<std::int32_t>(seconds) : static_cast<std::int32_t>(seconds / 60);
}

// Differential: in zones with and without daylight saving, with half-hour offsets and
// changes, north and south, every date read gives what the standard conversion gives, in
// the hours around every change of offset of two years and at random dates up to 2199.
TEST(DateTimes, AgreeWithTheStandardConversionInEveryZone) {
  const char* const savedZone = std::getenv("TZ");
  const std::string saved = savedZone ? savedZone : "";
  const char* const zones[] = {
      "CET-1CEST,M3.5.0,M10.5.0/3",           "UTC0",        "EST5EDT,M3.2.0,M11.1.0", "AEST-10AEDT,M10.1.0,M4.1.0/3",
      "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", "<+0545>-5:45"};
  std::mt19937 draws(20240304);
  for (const char* zone : zones) {
    setenv("TZ", zone, 1);
    tzset();
    int checked = 0;
    auto check = [&](int year, int month, int day, int hour, int minute) {
      char text[64];
      std::snprintf(text, sizeof text, "%d-%d-%d %d:%d", year, month, day, hour, minute);
      std::size_t pos = 0;
      ASSERT_EQ(parseDateTime(text, pos), referenceDateTime(year, month, day, hour, minute)) << zone << " " << text;
      ++checked;
    };
    for (int year = 2024; year <= 2025; ++year) {
      for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
          // The changes fall in the small hours; every seventh minute of those.
          for (int minute = 0; minute < 5 * 60; minute += 7) check(year, month, day, minute / 60, minute % 60);
        }
      }
    }
    for (int i = 0; i < 20000; ++i) {
      check(1970 + static_cast<int>(draws() % 230), 1 + static_cast<int>(draws() % 14), static_cast<int>(draws() % 33),
            static_cast<int>(draws() % 26), static_cast<int>(draws() % 62));
    }
    EXPECT_GT(checked, 40000) << zone;
  }
  if (savedZone) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
}  // namespace tamso

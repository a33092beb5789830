#include "problem/number_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "problem/text.h"

namespace tamso {
namespace {

// Differential: on every well-formed number the strict reader gives exactly the value the
// data files always gave, so valid data plans as before.
TEST(StrictNumbers, AgreeWithTheLenientReaderOnEveryWellFormedNumber) {
  const char* const integers[] = {"0", "7", "007", "52", "14500", "123456789", "2147483647"};
  const char* const fractions[] = {"", "5", "25", "2297", "000001", "999999999", "1234567891"};
  for (const char* sign : {"", "-", "+"}) {
    for (const char* separator : {".", ","}) {
      for (const char* integer : integers) {
        for (const char* fraction : fractions) {
          const std::string token = std::string(sign) + integer + (*fraction == '\0' ? "" : separator) + fraction;
          std::string why;
          const auto value = readStrictReal(token, NumberSign::Signed, why);
          ASSERT_TRUE(value) << token << ": " << why;
          EXPECT_EQ(*value, parseReal(token)) << token;
          EXPECT_EQ(readStrictReal(token, NumberSign::NonNegative, why).has_value(), *sign != '-') << token;
          if (*fraction == '\0' && *sign != '-') {
            EXPECT_EQ(readWholeNumber(token, why), digitsToInt(integer)) << token;
          }
        }
      }
    }
  }
}

// What the lenient reader misread is refused, or read as written.
TEST(StrictNumbers, RefuseWhatWouldBeMisread) {
  const char* const refused[] = {"1E5",  "1e-3",  "NAN",     "INF",        "-",          "+",   ".", "",
                                 "12KG", "1.2.3", "1,000.5", "4294967296", "2147483648", "--5", "5-"};
  for (const char* token : refused) {
    std::string why;
    EXPECT_FALSE(readStrictReal(token, NumberSign::Signed, why)) << token;
    EXPECT_FALSE(why.empty()) << token;
    why.clear();
    EXPECT_FALSE(readWholeNumber(token, why)) << token;
    EXPECT_FALSE(why.empty()) << token;
  }
  std::string why;
  EXPECT_FALSE(readWholeNumber("2.5", why));
  EXPECT_FALSE(readWholeNumber("-3", why));
  EXPECT_EQ(readStrictReal(".5", NumberSign::Signed, why), 0.5);  // the lenient reader gives 5
  // A fraction too long for 32 bits keeps its first nine digits instead of wrapping.
  EXPECT_NEAR(*readStrictReal("52.22970000001234", NumberSign::Signed, why), 52.2297, 1e-9);
}

}  // namespace
}  // namespace tamso

// Tests of the number rules: integer and decimal text, the general number format, checked arithmetic, random.
#include "text/number_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "command/error.h"

namespace tovrik {
namespace {

constexpr long double kDenormMin = std::numeric_limits<long double>::denorm_min();
constexpr long double kMax = std::numeric_limits<long double>::max();
constexpr long double kTwoTo63 = 9223372036854775808.0L;
constexpr bool kBad = false;

std::string show(long double value) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%.21Lg [%La]", value, value);
  return buffer;
}

bool sameValue(long double a, long double b) { return a == b && std::signbit(a) == std::signbit(b); }

// glibc's strtold is correctly rounded at any length: a reference computed apart from our code.
long double referenceRead(std::string text) {
  for (char& c : text) c = c == ',' ? '.' : c;
  return std::strtold(text.c_str(), nullptr);
}

// glibc's printf gives exact digits rounded half to even, as we do; rebuilt here into our layout.
std::string referenceFormat(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%+.14Le", value);
  const std::string text = buffer;
  const std::string sign = text[0] == '-' ? "-" : "";
  const size_t e = text.find('e');
  std::string digits = text.substr(1, 1) + text.substr(3, e - 3);
  digits.erase(digits.find_last_not_of('0') + 1);
  const long exponent = std::atol(text.c_str() + e + 1);  // of the first digit
  if (digits.empty()) return "0";
  if (exponent >= 15 || exponent < -4) {
    const std::string rest = digits.size() > 1 ? "." + digits.substr(1) : "";
    return sign + digits[0] + rest + "E" + std::to_string(exponent);
  }
  if (exponent < 0) return sign + "0." + std::string(-exponent - 1, '0') + digits;
  const size_t whole = static_cast<size_t>(exponent) + 1;
  if (digits.size() <= whole) return sign + digits + std::string(whole - digits.size(), '0');
  return sign + digits.substr(0, whole) + "." + digits.substr(whole);
}

// Decimal digits times a small factor, as text.
std::string multiplyDigits(const std::string& digits, int factor) {
  std::string result(digits.size(), '0');
  int carry = 0;
  for (size_t i = digits.size(); i-- > 0;) {
    const int t = (digits[i] - '0') * factor + carry;
    result[i] = static_cast<char>('0' + t % 10);
    carry = t / 10;
  }
  return carry != 0 ? std::to_string(carry) + result : result;
}

TEST(NumberRulesIntegerText, ReadsOrRejects) {
  const struct {
    const char* text;
    bool valid;
    int32_t expected;
  } cases[] = {
      {"0", true, 0}, {"-0", true, 0}, {"2147483647", true, INT32_MAX}, {"+2147483647", true, INT32_MAX},
      {"-2147483648", true, INT32_MIN}, {"2147483648", kBad, 0}, {"-2147483649", kBad, 0},
      {"99999999999999999999999", kBad, 0}, {"   -42", true, -42}, {"42 ", kBad, 0}, {"\t42", kBad, 0},
      {"- 42", kBad, 0}, {"", kBad, 0}, {"   ", kBad, 0}, {"-", kBad, 0}, {"+", kBad, 0}, {"+-1", kBad, 0},
      {"1.5", kBad, 0}, {"1e3", kBad, 0}, {"1F", kBad, 0}, {" $10", true, 16}, {"$FFFFFFFF", true, -1},
      {"$80000000", true, INT32_MIN}, {"-$80000000", true, INT32_MIN}, {"-$FFFFFFFF", true, 1},
      {"-$1", true, -1}, {"+$7fffffff", true, INT32_MAX}, {"x1F", true, 31}, {"X1f", true, 31},
      {"0x1F", true, 31}, {"0X10", true, 16}, {"$000000001", true, 1}, {"0x00000000000000FFFFFFFF", true, -1},
      {"$100000000", kBad, 0}, {"$", kBad, 0}, {"0x", kBad, 0}, {"-x", kBad, 0}, {"$1G", kBad, 0},
      {"$-1", kBad, 0}, {"00x1", kBad, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i << ": '" << cases[i].text << "'");
    if (cases[i].valid) {
      EXPECT_EQ(readIntegerText(cases[i].text), cases[i].expected);
    } else {
      EXPECT_THROW(readIntegerText(cases[i].text), ConversionError);
    }
  }
}

TEST(NumberRulesIntegerText, MessagesQuoteTheWholeText) {
  auto messageOf = [](auto read) -> std::string {
    try {
      read();
    } catch (const ConversionError& error) {
      return error.what();
    }
    return "(accepted)";
  };
  EXPECT_EQ(messageOf([] { readIntegerText(" 5 "); }), "' 5 ' n'est pas une valeur enti\xE8re correcte");
  EXPECT_EQ(messageOf([] { readDecimalText("abc ", ','); }),
            "'abc ' n'est pas une valeur en virgule flottante correcte");
}

TEST(NumberRulesDecimalText, ReadsOrRejects) {
  const struct {
    const char* text;
    char separator;
    bool valid;
    long double expected;
  } cases[] = {
      {"1,5", ',', true, 1.5L}, {"1.5", ',', kBad, 0}, {"1.5", '.', true, 1.5L}, {"1,5", '.', kBad, 0},
      {"  -2,25  ", ',', true, -2.25L}, {"+7", ',', true, 7}, {"007", ',', true, 7}, {",5", ',', true, 0.5L},
      {"5,", ',', true, 5}, {",", ',', true, 0}, {"-,e5", ',', true, -0.0L}, {"-0", ',', true, -0.0L},
      {"", ',', kBad, 0}, {"   ", ',', kBad, 0}, {"-", ',', kBad, 0}, {"e5", ',', kBad, 0},
      {"1e", ',', kBad, 0}, {"1e+", ',', kBad, 0}, {"1 e5", ',', kBad, 0}, {"1e 5", ',', kBad, 0},
      {"1,2,3", ',', kBad, 0}, {"\t1", ',', kBad, 0}, {"1E+3 ", ',', true, 1000},
      {"25e-3", ',', true, 0.025L}, {"1e0499", ',', true, 1e499L}, {"1e500", ',', true, 1e500L},
      {"1e4999", ',', kBad, 0}, {"1e5000", ',', kBad, 0}, {"1e-5000", ',', kBad, 0}, {"0e4999", ',', true, 0},
      {"1e0000000000001", ',', true, 10}, {"-1e-4999", ',', true, -0.0L},
      {"1,18973149535723176502e4932", ',', true, kMax}, {"1,2e4932", ',', kBad, 0}, {"1e4933", ',', kBad, 0},
      {"2e-4951", ',', true, kDenormMin}, {"1e-4951", ',', true, 0},
      {"18446744073709551617", '.', true, 18446744073709551616.0L},  // halfway, to even
      {"18446744073709551619", '.', true, 18446744073709551620.0L},  // halfway, to even
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i << ": '" << cases[i].text << "' " << cases[i].separator);
    if (cases[i].valid) {
      const long double got = readDecimalText(cases[i].text, cases[i].separator);
      EXPECT_TRUE(sameValue(got, cases[i].expected)) << show(got) << " expected " << show(cases[i].expected);
    } else {
      EXPECT_THROW(readDecimalText(cases[i].text, cases[i].separator), ConversionError);
    }
  }
}

TEST(NumberRulesDecimalText, MatchesCorrectlyRoundedReference) {
  std::mt19937 random(2024);
  for (int i = 0; i < 3000; ++i) {
    std::string text = random() % 2 != 0 ? "-" : "";
    const int integerDigits = static_cast<int>(random() % 30);
    const int fractionDigits = static_cast<int>(random() % (i % 10 == 0 ? 300 : 30));
    for (int k = 0; k < integerDigits; ++k) text += static_cast<char>('0' + random() % 10);
    text += ',';
    for (int k = 0; k < fractionDigits; ++k) text += static_cast<char>('0' + random() % 10);
    if (integerDigits + fractionDigits == 0) text += '7';
    // Keeps the value inside the range so every text is valid.
    text += "e" + std::to_string(static_cast<int>(random() % 9800) - 4920 - integerDigits);
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << text);
    const long double got = readDecimalText(text, ',');
    const long double expected = referenceRead(text);
    ASSERT_TRUE(sameValue(got, expected)) << show(got) << " expected " << show(expected);
  }
}

TEST(NumberRulesDecimalText, LongTextsRoundExactlyAtHalfwayPoints) {
  // Half the smallest subnormal written in full: about 11,500 significant digits.
  std::vector<char> buffer(12000);
  std::snprintf(buffer.data(), buffer.size(), "%.11600Le", kDenormMin);
  const std::string smallest = std::string(1, buffer[0]) + std::string(buffer.data() + 2, 11600);
  ASSERT_EQ(std::string(buffer.data() + 11602), "e-4951");
  const std::string half = multiplyDigits(smallest.substr(0, smallest.find_last_not_of('0') + 1), 5);
  const std::string beyondKept(13000 - half.size(), '0');
  const struct {
    std::string text;
    long double expected;
  } cases[] = {
      {"0," + half + "e-4950", 0},  // halfway, to even zero
      {"0," + half + "1e-4950", kDenormMin},  // just above halfway
      {"0," + half + beyondKept + "e-4950", 0},  // trailing zeros change nothing
      {"0," + half + beyondKept + "1e-4950", kDenormMin},  // a digit past 12,000 still counts
      {"0," + multiplyDigits(half, 3) + "e-4950", 2 * kDenormMin},  // halfway between 1 and 2 steps
      {"18446744073709551617," + std::string(13000, '0') + "1", 18446744073709551618.0L},
      {"1" + std::string(4931, '0') + "," + std::string(5000, '0'), 1e4931L},
      {"0," + std::string(9990, '0') + "1", 0}, {"1" + std::string(9000, '0') + "e-4999", 1e4001L},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i << ", " << cases[i].text.size() << " characters");
    const long double got = readDecimalText(cases[i].text, ',');
    EXPECT_TRUE(sameValue(got, cases[i].expected)) << show(got) << " expected " << show(cases[i].expected);
    EXPECT_TRUE(sameValue(got, referenceRead(cases[i].text))) << show(got);
  }
  EXPECT_THROW(readDecimalText(std::string(10000, '1'), ','), ConversionError);
  EXPECT_THROW(readDecimalText("1" + std::string(9000, '0') + "e-4000", ','), ConversionError);
}

TEST(NumberRulesFormat, WritesFifteenDigitsFixedOrScientific) {
  const struct {
    long double value;
    const char* expected;
  } cases[] = {
      {0, "0"}, {-0.0L, "0"}, {-3, "-3"}, {1000, "1000"}, {1234.5L, "1234,5"}, {-0.25L, "-0,25"},
      {0.001L, "0,001"}, {0.0001L, "0,0001"}, {0.00012345L, "0,00012345"}, {0.00001L, "1E-5"},
      {-0.000015L, "-1,5E-5"}, {999999999999999.0L, "999999999999999"}, {1e15L, "1E15"}, {1e16L, "1E16"},
      {1.5e20L, "1,5E20"}, {9.99999999999999951L, "10"}, {999999999999999.5L, "1E15"},
      {99999999999999.94L, "99999999999999,9"}, {0.1L + 0.2L, "0,3"}, {2.0L / 3, "0,666666666666667"},
      {123456789012345678.0L, "1,23456789012346E17"},
      {1000000000000005.0L, "1E15"},                    // tie, even neighbour below
      {1000000000000015.0L, "1,00000000000002E15"},     // tie, even neighbour above
      {1000000000000025.0625L, "1,00000000000003E15"},  // just above a tie
      {-kMax, "-1,18973149535723E4932"}, {kDenormMin, "3,64519953188247E-4951"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << show(cases[i].value));
    EXPECT_EQ(formatGeneral(cases[i].value, ','), cases[i].expected);
  }
  EXPECT_EQ(formatGeneral(-1.5e-20L, '.'), "-1.5E-20");
  EXPECT_THROW(formatGeneral(std::numeric_limits<long double>::infinity(), ','), ArithmeticError);
  EXPECT_THROW(formatGeneral(std::numeric_limits<long double>::quiet_NaN(), ','), ArithmeticError);
}

TEST(NumberRulesFormat, MatchesPrintfOverTheWholeRange) {
  std::mt19937_64 random(77);
  for (int i = 0; i < 4000; ++i) {
    // Random bit patterns, most of them near the fixed/scientific boundaries (tiny values cost more).
    const long double value =
        i % 4 == 0 ? std::ldexp(static_cast<long double>(random() | (uint64_t{1} << 63)),
                                static_cast<int>(random() % 32829) - 16445 - 63)
                   : std::ldexp(static_cast<long double>(random()), static_cast<int>(random() % 120) - 110);
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << show(value));
    ASSERT_EQ(formatGeneral(i % 3 == 0 ? -value : value, '.'), referenceFormat(i % 3 == 0 ? -value : value));
  }
}

TEST(NumberRulesArithmetic, RaisesOnInvalidDivisionByZeroAndOverflowOnly) {
  const struct {
    long double (*operation)(long double, long double);
    long double a, b;
    bool valid;
    long double expected;
  } cases[] = {
      {checkedAdd, 1.5L, 2.25L, true, 3.75L}, {checkedAdd, kMax, kMax, kBad, 0},
      {checkedAdd, kMax, 1, true, kMax}, {checkedSub, 5, 8, true, -3}, {checkedSub, -kMax, kMax, kBad, 0},
      {checkedMul, 1e10L, 1e10L, true, 1e20L}, {checkedMul, 1e4000L, 1e4000L, kBad, 0},
      {checkedMul, 1e-4000L, 1e-4000L, true, 0}, {checkedMul, kDenormMin, 0.75L, true, kDenormMin},
      {checkedDiv, 7, 2, true, 3.5L}, {checkedDiv, 1, 0, kBad, 0}, {checkedDiv, -1, -0.0L, kBad, 0},
      {checkedDiv, 0, 0, kBad, 0}, {checkedDiv, 1e4000L, 1e-4000L, kBad, 0},
      {checkedDiv, 1e-4000L, 1e4000L, true, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i);
    if (cases[i].valid) {
      const long double got = cases[i].operation(cases[i].a, cases[i].b);
      EXPECT_TRUE(sameValue(got, cases[i].expected)) << show(got);
    } else {
      EXPECT_THROW(cases[i].operation(cases[i].a, cases[i].b), ArithmeticError);
    }
  }
  EXPECT_EQ(checkedSqrt(16), 4);
  EXPECT_EQ(formatGeneral(checkedSqrt(2), ','), "1,4142135623731");
  EXPECT_TRUE(sameValue(checkedSqrt(-0.0L), -0.0L));
  EXPECT_THROW(checkedSqrt(-kDenormMin), ArithmeticError);
}

TEST(NumberRulesArithmetic, Power) {
  const struct {
    long double base, exponent;
    bool valid;
    long double expected;
  } cases[] = {
      {2, 10, true, 1024}, {2, -1, true, 0.5L}, {0, 0, true, 1}, {0, 5, true, 0}, {0, 0.5L, true, 0},
      {0, -3, kBad, 0},              // 1 / 0
      {0, -0.5L, kBad, 0},           // the logarithm of zero
      {-2, 3, true, -8}, {-2, -2, true, 0.25L}, {-8, 0.5L, kBad, 0}, {-1, 2147483647, true, -1},
      {-1, 2147483648.0L, kBad, 0},  // integral, but past 32 bits it goes through the logarithm
      {1, 1e20L, true, 1}, {2, 16383, true, std::ldexp(1.0L, 16383)}, {2, 16384, kBad, 0},
      {2, 2147483647, kBad, 0},
      {1e3000L, 1, true, 1e3000L},   // no squaring beyond the last bit
      {1e3000L, 2, kBad, 0},
      {2, -16400, kBad, 0},          // 2^16400 overflows before the division
      {0.5L, 16500, true, 0},        // underflow is silent
      {0.5L, -20000, kBad, 0},       // the product underflowed to zero: 1 / 0
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << show(cases[i].base) << " ^ "
                                    << show(cases[i].exponent));
    if (cases[i].valid) {
      const long double got = power(cases[i].base, cases[i].exponent);
      EXPECT_TRUE(sameValue(got, cases[i].expected)) << show(got);
    } else {
      EXPECT_THROW(power(cases[i].base, cases[i].exponent), ArithmeticError);
    }
  }
  EXPECT_EQ(formatGeneral(power(2, 0.5L), ','), "1,4142135623731");
}

TEST(NumberRulesArithmetic, RoundsHalfToEvenIntoInt64) {
  const struct {
    long double value;
    bool valid;
    int64_t expected;
  } cases[] = {
      {2.5L, true, 2}, {3.5L, true, 4}, {-2.5L, true, -2}, {0.5L, true, 0}, {-0.5L, true, 0},
      {-1.5L, true, -2}, {2.4999999999999999997L, true, 2}, {2.5000000000000000003L, true, 3},
      {kTwoTo63 - 1, true, INT64_MAX}, {kTwoTo63 - 1.5L, true, INT64_MAX - 1},
      {kTwoTo63 - 2.5L, true, INT64_MAX - 1}, {kTwoTo63 - 0.5L, kBad, 0}, {kTwoTo63, kBad, 0},
      {-kTwoTo63, true, INT64_MIN}, {-kTwoTo63 + 0.5L, true, INT64_MIN},
      {-kTwoTo63 + 1.5L, true, INT64_MIN + 2}, {-kTwoTo63 - 1, kBad, 0},
      {std::numeric_limits<long double>::infinity(), kBad, 0},
      {std::numeric_limits<long double>::quiet_NaN(), kBad, 0},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << show(cases[i].value));
    if (cases[i].valid) {
      EXPECT_EQ(roundHalfEven(cases[i].value), cases[i].expected);
    } else {
      EXPECT_THROW(roundHalfEven(cases[i].value), ArithmeticError);
    }
  }
  // The chain of the round command: rounded, then written in the general format.
  EXPECT_EQ(formatGeneral(roundHalfEven(readDecimalText("123456789012345678", ',')), ','),
            "1,23456789012346E17");
}

TEST(NumberRulesRandom, FollowsTheLinearCongruentialFormula) {
  // Reference: the recurrence in 64-bit modular arithmetic, the high half by exact floating division.
  const std::pair<uint32_t, int32_t> seedsAndBounds[] = {
      {1, 100}, {0xFFFFFFFFu, 100}, {12345, INT32_MAX}, {7, -1}, {7, INT32_MIN}, {99, 1}, {99, 0}};
  for (const auto& [seed, n] : seedsAndBounds) {
    RandomGenerator generator(seed);
    uint64_t state = seed;
    for (int i = 0; i < 20; ++i) {
      state = (state * 0x08088405ull + 1) % 4294967296ull;
      const uint64_t unsignedN = n < 0 ? 4294967296ull + n : static_cast<uint64_t>(n);
      const auto high =
          static_cast<int64_t>(std::floor(static_cast<long double>(state) * unsignedN / 4294967296.0L));
      SCOPED_TRACE(testing::Message() << "seed " << seed << " n " << n << " draw " << i);
      EXPECT_EQ(generator.next(n), high >= 2147483648ll ? high - 4294967296ll : high);
    }
  }
  // Seed 1: 1 * 134775813 + 1 = 134775814, and 134775814 * 100 / 2^32 = 3.14.
  EXPECT_EQ(RandomGenerator(1).next(100), 3);
}

}  // namespace
}  // namespace tovrik

// The number rules: reading integer and decimal text, the general number format, checked arithmetic, random.
#include "text/number_rules.h"

#include <cmath>
#include <limits>

#include "command/error.h"
#include "text/extended_conversion.h"

namespace tovrik {
namespace {

[[noreturn]] void raiseInvalidOperation() { throw ArithmeticError("Invalid floating point operation"); }
[[noreturn]] void raiseDivisionByZero() { throw ArithmeticError("Floating point division by zero"); }
[[noreturn]] void raiseOverflow() { throw ArithmeticError("Floating point overflow"); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int32_t readIntegerText(std::string_view text) {
  auto fail = [text]() -> int32_t {
    throw ConversionError("'" + std::string(text) + "' n'est pas une valeur enti\xE8re correcte");
  };
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return fail();
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit;
    if (isDigit(c)) {
      digit = static_cast<unsigned>(c - '0');
    } else if (hex && c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (hex && c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      return fail();
    }
    magnitude = magnitude * (hex ? 16 : 10) + digit;
    // Leading zeros are not significant bits; stop before the 64-bit accumulator could wrap.
    if (magnitude > (hex ? 0xFFFFFFFFull : 2147483648ull)) return fail();
  }
  if (!hex && !negative && magnitude > 2147483647ull) return fail();
  // Hex is the bit pattern; negating in unsigned arithmetic keeps "-$80000000" and "-2147483648" defined.
  uint32_t bits = static_cast<uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

long double readDecimalText(std::string_view text, char decimalSeparator) {
  auto fail = [text]() -> long double {
    throw ConversionError("'" + std::string(text) + "' n'est pas une valeur en virgule flottante correcte");
  };
  const size_t size = text.size();
  size_t i = 0;
  while (i < size && text[i] == ' ') ++i;
  bool negative = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t integerStart = i;
  while (i < size && isDigit(text[i])) ++i;
  const size_t integerEnd = i;
  size_t fractionStart = i;
  size_t fractionEnd = i;
  bool hasSeparator = false;
  if (i < size && text[i] == decimalSeparator) {
    hasSeparator = true;
    fractionStart = ++i;
    while (i < size && isDigit(text[i])) ++i;
    fractionEnd = i;
  }
  if (integerEnd == integerStart && !hasSeparator) return fail();
  int exponent = 0;
  if (i < size && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool exponentNegative = false;
    if (i < size && (text[i] == '+' || text[i] == '-')) exponentNegative = text[i++] == '-';
    const size_t exponentStart = i;
    while (i < size && isDigit(text[i]) && exponent < 500) exponent = exponent * 10 + (text[i++] - '0');
    if (i == exponentStart || (i < size && isDigit(text[i]))) return fail();
    if (exponentNegative) exponent = -exponent;
  }
  while (i < size && text[i] == ' ') ++i;
  if (i != size) return fail();

  // The significant digits, and where the decimal point stands: value = 0.digits * 10^pointPosition.
  std::string digits;
  int64_t pointPosition = static_cast<int64_t>(integerEnd - integerStart);
  bool seenNonZero = false;
  bool droppedNonZero = false;
  auto takeDigits = [&](size_t from, size_t to) {
    for (size_t k = from; k < to; ++k) {
      const char c = text[k];
      if (!seenNonZero) {
        if (c == '0') {
          --pointPosition;
          continue;
        }
        seenNonZero = true;
      }
      if (digits.size() < kSignificantDigitsKept) {
        digits.push_back(c);
      } else if (c != '0') {
        droppedNonZero = true;
      }
    }
  };
  takeDigits(integerStart, integerEnd);
  takeDigits(fractionStart, fractionEnd);
  if (!seenNonZero) return negative ? -0.0L : 0.0L;
  if (droppedNonZero) {
    // The dropped digits only matter as pushing the value off a halfway point; one nonzero digit past
    // the kept ones does the same.
    digits.push_back('1');
  } else {
    while (digits.back() == '0') digits.pop_back();
  }
  pointPosition += exponent;

  // 10^4933 is beyond the largest extended value; below 10^-4952 is less than half the smallest one.
  if (pointPosition > 4933) return fail();
  if (pointPosition < -4951) return negative ? -0.0L : 0.0L;
  long double result;
  if (!decimalToExtended(digits, pointPosition - static_cast<int64_t>(digits.size()), negative, result)) {
    return fail();
  }
  return result;
}

// Ties (the 16th digit a 5 and nothing after it in the exact binary value) go to the even 15th digit,
// as the rounding of the arithmetic itself does.
std::string formatGeneral(long double value, char decimalSeparator) {
  ExactDecimal exact = exactDecimal(value);
  if (exact.digits.empty()) return "0";
  std::string& digits = exact.digits;
  int64_t exponent = exact.exponent;  // value = 0.digits * 10^exponent

  constexpr size_t kSignificantDigits = 15;
  if (digits.size() > kSignificantDigits) {
    const char next = digits[kSignificantDigits];
    const bool restNonZero = digits.find_first_not_of('0', kSignificantDigits + 1) != std::string::npos;
    const bool lastOdd = ((digits[kSignificantDigits - 1] - '0') & 1) != 0;
    const bool roundUp = next > '5' || (next == '5' && (restNonZero || lastOdd));
    digits.resize(kSignificantDigits);
    if (roundUp) {
      size_t k = kSignificantDigits;
      while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
      if (k == 0) {
        digits = "1";
        ++exponent;
      } else {
        ++digits[k - 1];
      }
    }
  }
  digits.erase(digits.find_last_not_of('0') + 1);

  std::string out = exact.negative ? "-" : "";
  const int64_t count = static_cast<int64_t>(digits.size());
  if (exponent > 15 || exponent < -3) {
    out += digits[0];
    if (count > 1) {
      out += decimalSeparator;
      out.append(digits, 1, std::string::npos);
    }
    out += 'E';
    out += std::to_string(exponent - 1);
  } else if (exponent <= 0) {
    out += '0';
    out += decimalSeparator;
    out.append(static_cast<size_t>(-exponent), '0');
    out += digits;
  } else if (count <= exponent) {
    out += digits;
    out.append(static_cast<size_t>(exponent - count), '0');
  } else {
    out.append(digits, 0, static_cast<size_t>(exponent));
    out += decimalSeparator;
    out.append(digits, static_cast<size_t>(exponent), std::string::npos);
  }
  return out;
}

// For finite operands the x87 fault flags follow from the result alone: invalid operation gives NaN,
// overflow gives infinity (round to nearest). Testing the result keeps this exact and immune to the
// optimiser moving operations across reads of the status word.
namespace {
long double checkResult(long double result) {
  if (std::isnan(result)) raiseInvalidOperation();
  if (std::isinf(result)) raiseOverflow();
  return result;
}
}  // namespace

long double checkedAdd(long double a, long double b) { return checkResult(a + b); }
long double checkedSub(long double a, long double b) { return checkResult(a - b); }
long double checkedMul(long double a, long double b) { return checkResult(a * b); }

long double checkedDiv(long double a, long double b) {
  if (b == 0) {
    if (a == 0 || std::isnan(a)) raiseInvalidOperation();
    raiseDivisionByZero();
  }
  return checkResult(a / b);
}

long double checkedSqrt(long double a) {
  if (a < 0 || std::isnan(a)) raiseInvalidOperation();
  return std::sqrt(a);  // the square root of -0 is -0, no fault
}

// Integral exponents square the base once per remaining bit of |x|, and never once more than needed, so
// pwr 1E3000 1 is not an overflow. Every product that is computed raises on overflow as the x87 does with
// that fault unmasked, even when a negative exponent would have turned it into a representable result
// (pwr 2 -16400 fails); a product that underflows to zero makes the final 1/product a division by zero.
long double power(long double base, long double exponent) {
  if (exponent == 0) return 1;
  if (base == 0 && exponent > 0) return 0;
  if (std::trunc(exponent) == exponent && std::fabs(exponent) <= 2147483647.0L) {
    uint32_t bits = static_cast<uint32_t>(std::fabs(exponent));
    long double product = 1;
    long double square = base;
    for (;;) {
      if ((bits & 1u) != 0) product = checkedMul(product, square);
      bits >>= 1;
      if (bits == 0) break;
      square = checkedMul(square, square);
    }
    return exponent < 0 ? checkedDiv(1, product) : product;
  }
  if (base < 0 || std::isnan(base)) raiseInvalidOperation();
  if (base == 0) raiseDivisionByZero();  // the logarithm of zero
  return checkResult(std::exp(checkedMul(exponent, std::log(base))));
}

int64_t roundHalfEven(long double value) {
  constexpr long double kTwoTo63 = 9223372036854775808.0L;
  if (std::isnan(value)) raiseInvalidOperation();
  if (value == -kTwoTo63) return std::numeric_limits<int64_t>::min();
  if (!(std::fabs(value) < kTwoTo63)) raiseInvalidOperation();
  // Below 2^63 the truncation is exact, and so is the fraction left over.
  int64_t whole = static_cast<int64_t>(value);
  const long double fraction = std::fabs(value - static_cast<long double>(whole));
  const bool awayFromZero = fraction > 0.5L || (fraction == 0.5L && (whole & 1) != 0);
  if (awayFromZero) {
    if (value > 0) {
      if (whole == std::numeric_limits<int64_t>::max()) raiseInvalidOperation();
      ++whole;
    } else {
      --whole;  // cannot pass -2^63: the value is above it
    }
  }
  return whole;
}

int32_t RandomGenerator::next(int32_t n) {
  seed_ = seed_ * 134775813u + 1u;
  const uint64_t product = static_cast<uint64_t>(seed_) * static_cast<uint32_t>(n);
  return static_cast<int32_t>(static_cast<uint32_t>(product >> 32));
}

std::string formatRounded(long double value, char decimalSeparator) {
  return formatGeneral(static_cast<long double>(roundHalfEven(value)), decimalSeparator);
}

}  // namespace tovrik

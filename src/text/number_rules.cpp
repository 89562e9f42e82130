// The number rules: reading integer and decimal text, the general number format, checked arithmetic, random.
#include "text/number_rules.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "frontend/error.h"

namespace tovrik {

// Decimal conversion below builds and takes apart the x87 80-bit format itself, so that reading and
// writing numbers give the same bytes on every compiler and C library we build with.
static_assert(std::numeric_limits<long double>::digits == 64, "long double must be the x87 80-bit type");
static_assert(std::numeric_limits<long double>::max_exponent == 16384,
              "long double must be the x87 80-bit type");

namespace {

constexpr int kExponentBias = 16383;
// The value of a mantissa m with biased exponent field f is m * 2^(f - kMantissaScale); subnormals use f = 1.
constexpr int kMantissaScale = kExponentBias + 63;
constexpr int64_t kSubnormalUlpExponent = 1 - kMantissaScale;  // 2^-16445, the smallest step

[[noreturn]] void raiseInvalidOperation() { throw ArithmeticError("Invalid floating point operation"); }
[[noreturn]] void raiseDivisionByZero() { throw ArithmeticError("Floating point division by zero"); }
[[noreturn]] void raiseOverflow() { throw ArithmeticError("Floating point overflow"); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Unsigned integer of any size, just enough arithmetic for exact decimal <-> binary conversion.
class BigUnsigned {
 public:
  BigUnsigned() = default;
  explicit BigUnsigned(uint64_t value) {
    while (value != 0) {
      limbs_.push_back(static_cast<uint32_t>(value));
      value >>= 32;
    }
  }

  bool isZero() const { return limbs_.empty(); }

  // this = this * factor + addend
  void multiplyAdd(uint32_t factor, uint32_t addend) {
    uint64_t carry = addend;
    for (uint32_t& limb : limbs_) {
      const uint64_t product = static_cast<uint64_t>(limb) * factor + carry;
      limb = static_cast<uint32_t>(product);
      carry = product >> 32;
    }
    if (carry != 0) limbs_.push_back(static_cast<uint32_t>(carry));
    trim();
  }

  void multiplyByPowerOfFive(int64_t exponent) {
    constexpr uint32_t kFiveToThe13 = 1220703125u;  // the largest power of five below 2^32
    for (; exponent >= 13; exponent -= 13) multiplyAdd(kFiveToThe13, 0);
    uint32_t rest = 1;
    for (; exponent > 0; --exponent) rest *= 5;
    multiplyAdd(rest, 0);
  }

  void shiftLeft(size_t bits) {
    if (isZero() || bits == 0) return;
    const size_t limbShift = bits / 32;
    const unsigned bitShift = bits % 32;
    if (bitShift != 0) {
      uint32_t carry = 0;
      for (uint32_t& limb : limbs_) {
        const uint32_t next = limb >> (32 - bitShift);
        limb = (limb << bitShift) | carry;
        carry = next;
      }
      if (carry != 0) limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), limbShift, 0u);
  }

  void shiftRightOne() {
    for (size_t i = 0; i < limbs_.size(); ++i) {
      const uint32_t high = i + 1 < limbs_.size() ? limbs_[i + 1] : 0;
      limbs_[i] = (limbs_[i] >> 1) | (high << 31);
    }
    trim();
  }

  size_t bitLength() const {
    if (isZero()) return 0;
    uint32_t top = limbs_.back();
    size_t bits = 32 * (limbs_.size() - 1);
    while (top != 0) {
      ++bits;
      top >>= 1;
    }
    return bits;
  }

  bool bit(size_t index) const {
    const size_t limb = index / 32;
    return limb < limbs_.size() && ((limbs_[limb] >> (index % 32)) & 1u) != 0;
  }

  bool anyBitBelow(size_t index) const {
    const size_t fullLimbs = index / 32;
    for (size_t i = 0; i < fullLimbs && i < limbs_.size(); ++i) {
      if (limbs_[i] != 0) return true;
    }
    if (fullLimbs < limbs_.size() && index % 32 != 0) {
      return (limbs_[fullLimbs] & ((1u << (index % 32)) - 1u)) != 0;
    }
    return false;
  }

  // The 64 bits starting at bit `start`.
  uint64_t bitsFrom(size_t start) const {
    uint64_t result = 0;
    for (unsigned i = 0; i < 64; ++i) {
      if (bit(start + i)) result |= uint64_t{1} << i;
    }
    return result;
  }

  int compare(const BigUnsigned& other) const {
    if (limbs_.size() != other.limbs_.size()) return limbs_.size() < other.limbs_.size() ? -1 : 1;
    for (size_t i = limbs_.size(); i-- > 0;) {
      if (limbs_[i] != other.limbs_[i]) return limbs_[i] < other.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

  // this -= other; the caller makes sure this >= other.
  void subtract(const BigUnsigned& other) {
    uint64_t borrow = 0;
    for (size_t i = 0; i < limbs_.size(); ++i) {
      const uint64_t subtrahend = (i < other.limbs_.size() ? other.limbs_[i] : 0) + borrow;
      const uint64_t minuend = limbs_[i];
      limbs_[i] = static_cast<uint32_t>(minuend - subtrahend);
      borrow = minuend < subtrahend ? 1 : 0;
    }
    trim();
  }

  // this /= divisor; returns the remainder.
  uint32_t divideSmall(uint32_t divisor) {
    uint64_t remainder = 0;
    for (size_t i = limbs_.size(); i-- > 0;) {
      const uint64_t current = (remainder << 32) | limbs_[i];
      limbs_[i] = static_cast<uint32_t>(current / divisor);
      remainder = current % divisor;
    }
    trim();
    return static_cast<uint32_t>(remainder);
  }

  std::string toDecimal() const {
    if (isZero()) return "0";
    BigUnsigned rest = *this;
    std::vector<uint32_t> groups;  // nine digits each, lowest first
    while (!rest.isZero()) groups.push_back(rest.divideSmall(1000000000u));
    std::string digits = std::to_string(groups.back());
    for (size_t i = groups.size() - 1; i-- > 0;) {
      const std::string group = std::to_string(groups[i]);
      digits.append(9 - group.size(), '0');
      digits += group;
    }
    return digits;
  }

 private:
  void trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
  }

  std::vector<uint32_t> limbs_;  // lowest first, no leading zero limbs
};

struct ExtendedParts {
  bool negative = false;
  uint64_t mantissa = 0;
  int64_t exponent = 0;  // value = mantissa * 2^exponent
};

ExtendedParts splitExtended(long double value) {
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &value, sizeof value);
  ExtendedParts parts;
  std::memcpy(&parts.mantissa, bytes, 8);
  const unsigned signAndExponent = bytes[8] | (static_cast<unsigned>(bytes[9]) << 8);
  parts.negative = (signAndExponent & 0x8000u) != 0;
  const int field = static_cast<int>(signAndExponent & 0x7FFFu);
  if (field == 0x7FFF) raiseInvalidOperation();  // infinity or NaN
  parts.exponent = (field == 0 ? 1 : field) - kMantissaScale;
  return parts;
}

// Builds mantissa * 2^ulpExponent; the caller has rounded the mantissa to fit and checked the range.
long double joinExtended(bool negative, uint64_t mantissa, int64_t ulpExponent) {
  unsigned field = 0;
  if ((mantissa >> 63) != 0) field = static_cast<unsigned>(ulpExponent + kMantissaScale);
  // Otherwise a subnormal: ulpExponent is the smallest one and the field stays 0.
  if (negative) field |= 0x8000u;
  unsigned char bytes[sizeof(long double)] = {};
  std::memcpy(bytes, &mantissa, 8);
  bytes[8] = static_cast<unsigned char>(field);
  bytes[9] = static_cast<unsigned char>(field >> 8);
  long double value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// Rounds (quotient + fraction) * 2^binaryExponent to the nearest extended value, ties to even, where
// fraction is in [0, 1) and nonzero exactly when `inexact`. The quotient carries at least 65 bits whenever
// `inexact` is set, so the round bit is always in it. Returns false on overflow.
bool roundToExtended(const BigUnsigned& quotient, int64_t binaryExponent, bool inexact, bool negative,
                     long double& result) {
  if (quotient.isZero()) {
    result = negative ? -0.0L : 0.0L;
    return true;
  }
  const int64_t length = static_cast<int64_t>(quotient.bitLength());
  const int64_t topBit = length - 1 + binaryExponent;
  int64_t ulpExponent = topBit - 63 > kSubnormalUlpExponent ? topBit - 63 : kSubnormalUlpExponent;
  const int64_t dropped = ulpExponent - binaryExponent;
  uint64_t mantissa;
  if (dropped <= 0) {
    // Exact: the whole quotient fits in the mantissa.
    mantissa = quotient.bitsFrom(0) << (-dropped);
  } else {
    mantissa = quotient.bitsFrom(static_cast<size_t>(dropped));
    const bool roundBit = quotient.bit(static_cast<size_t>(dropped - 1));
    const bool stickyBits = inexact || quotient.anyBitBelow(static_cast<size_t>(dropped - 1));
    if (roundBit && (stickyBits || (mantissa & 1u) != 0)) {
      ++mantissa;
      if (mantissa == 0) {  // carried out of 64 bits
        mantissa = uint64_t{1} << 63;
        ++ulpExponent;
      }
    }
  }
  if (mantissa == 0) {
    result = negative ? -0.0L : 0.0L;  // underflow is silent
    return true;
  }
  if ((mantissa >> 63) != 0 && ulpExponent + 63 > std::numeric_limits<long double>::max_exponent - 1) {
    return false;
  }
  result = joinExtended(negative, mantissa, ulpExponent);
  return true;
}

// Enough significant digits to tell apart every value from the nearest halfway point between two extended
// values: such a point has at most about 11,520 significant digits (the ones next to the smallest normals),
// so the digits beyond this count only matter by being nonzero.
constexpr size_t kSignificantDigitsKept = 12000;

// Converts digits * 10^decimalExponent (digits without leading zeros, not empty) to extended.
bool convertDecimal(const std::string& digits, int64_t decimalExponent, bool negative, long double& result) {
  BigUnsigned value;
  for (size_t start = 0; start < digits.size(); start += 9) {
    const size_t count = digits.size() - start < 9 ? digits.size() - start : 9;
    uint32_t group = 0;
    uint32_t scale = 1;
    for (size_t i = 0; i < count; ++i) {
      group = group * 10 + static_cast<uint32_t>(digits[start + i] - '0');
      scale *= 10;
    }
    value.multiplyAdd(scale, group);
  }
  if (decimalExponent >= 0) {
    value.multiplyByPowerOfFive(decimalExponent);
    return roundToExtended(value, decimalExponent, false, negative, result);
  }
  // value / 10^f = value / 5^f * 2^-f: divide with both sides scaled so the quotient has 66 or 67 bits.
  const int64_t fivePower = -decimalExponent;
  BigUnsigned divisor(1);
  divisor.multiplyByPowerOfFive(fivePower);
  const int64_t scaleBits =
      static_cast<int64_t>(divisor.bitLength()) - static_cast<int64_t>(value.bitLength()) + 66;
  if (scaleBits >= 0) {
    value.shiftLeft(static_cast<size_t>(scaleBits));
  } else {
    divisor.shiftLeft(static_cast<size_t>(-scaleBits));
  }
  constexpr int kQuotientBits = 67;
  divisor.shiftLeft(kQuotientBits - 1);
  BigUnsigned quotient;
  for (int i = 0; i < kQuotientBits; ++i) {
    const bool fits = value.compare(divisor) >= 0;
    if (fits) value.subtract(divisor);
    quotient.multiplyAdd(2, fits ? 1 : 0);
    divisor.shiftRightOne();
  }
  return roundToExtended(quotient, -scaleBits - fivePower, !value.isZero(), negative, result);
}

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
  if (!convertDecimal(digits, pointPosition - static_cast<int64_t>(digits.size()), negative, result)) {
    return fail();
  }
  return result;
}

// Ties (the 16th digit a 5 and nothing after it in the exact binary value) go to the even 15th digit,
// as the rounding of the arithmetic itself does.
std::string formatGeneral(long double value, char decimalSeparator) {
  ExtendedParts parts = splitExtended(value);
  if (parts.mantissa == 0) return "0";
  while ((parts.mantissa & 1u) == 0) {
    parts.mantissa >>= 1;
    ++parts.exponent;
  }
  // The exact value as an integer and a count of decimal places.
  BigUnsigned exact(parts.mantissa);
  int64_t decimalPlaces = 0;
  if (parts.exponent >= 0) {
    exact.shiftLeft(static_cast<size_t>(parts.exponent));
  } else {
    exact.multiplyByPowerOfFive(-parts.exponent);
    decimalPlaces = -parts.exponent;
  }
  std::string digits = exact.toDecimal();
  int64_t exponent = static_cast<int64_t>(digits.size()) - decimalPlaces;  // value = 0.digits * 10^exponent

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

  std::string out = parts.negative ? "-" : "";
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

// Exact conversion between decimal digits and the x87 80-bit extended type: a big unsigned integer just
// large enough for it, and rounding to nearest, ties to even.
#include "text/extended_conversion.h"

#include <cstring>
#include <limits>
#include <vector>

#include "command/error.h"

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
  if (field == 0x7FFF) throw ArithmeticError("Invalid floating point operation");  // infinity or NaN
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


}  // namespace

bool decimalToExtended(const std::string& digits, int64_t decimalExponent, bool negative, long double& result) {
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

ExactDecimal exactDecimal(long double value) {
  ExtendedParts parts = splitExtended(value);
  ExactDecimal result;
  result.negative = parts.negative;
  if (parts.mantissa == 0) return result;
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
  result.digits = exact.toDecimal();
  result.exponent = static_cast<int64_t>(result.digits.size()) - decimalPlaces;
  return result;
}

}  // namespace tovrik

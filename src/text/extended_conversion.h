// Exact conversion between decimal digits and the x87 80-bit extended type, built on the type's bytes so
// that reading and writing numbers give the same bytes on every compiler and C library we build with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tovrik {

// Enough significant digits to tell apart every value from the nearest halfway point between two extended
// values: such a point has at most about 11,520 significant digits (the ones next to the smallest normals),
// so the digits beyond this count only matter by being nonzero.
constexpr size_t kSignificantDigitsKept = 12000;

// Converts digits * 10^decimalExponent (digits without leading zeros, not empty) to the nearest extended
// value, ties to even; values too small become zero. Returns false when the value is beyond the range.
bool decimalToExtended(const std::string& digits, int64_t decimalExponent, bool negative, long double& result);

// A finite value exactly: value = 0.digits * 10^exponent, digits empty for zero.
struct ExactDecimal {
  bool negative = false;
  std::string digits;
  int64_t exponent = 0;
};

// Raises ArithmeticError for infinity or NaN.
ExactDecimal exactDecimal(long double value);

}  // namespace tovrik

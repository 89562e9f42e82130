// The number rules every command shares: integer text, decimal text, the general number format,
// extended-precision arithmetic that raises on faults, and the random generator.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovrik {

// Reads a 32-bit integer: leading blanks, a sign, decimal digits or hex after "$", "x", "X", "0x", "0X".
// Raises ConversionError on anything else.
int32_t readIntegerText(std::string_view text);

// Reads an extended-precision number, correctly rounded from the decimal text. Raises ConversionError on
// bad syntax or a value beyond the extended range; values too small for it become zero silently.
long double readDecimalText(std::string_view text, char decimalSeparator);

// Writes a value with 15 significant digits, in fixed or scientific notation ("1234,5", "1E20").
// Raises ArithmeticError for infinity or NaN.
std::string formatGeneral(long double value, char decimalSeparator);

// Arithmetic that raises ArithmeticError on invalid operation, division by zero and overflow, and stays
// silent on underflow and loss of precision.
long double checkedAdd(long double a, long double b);
long double checkedSub(long double a, long double b);
long double checkedMul(long double a, long double b);
long double checkedDiv(long double a, long double b);
long double checkedSqrt(long double a);
long double power(long double base, long double exponent);

// Rounds to the nearest 64-bit integer, halves to the even neighbour; out of range or NaN raises.
int64_t roundHalfEven(long double value);

// Rounds half to even and writes the integer in the general format, so beyond 15 digits it reads 1,2E17.
std::string formatRounded(long double value, char decimalSeparator);

// The linear congruential generator behind the random command; the caller seeds it.
class RandomGenerator {
 public:
  explicit RandomGenerator(uint32_t seed) : seed_(seed) {}
  // Next draw, 0 <= r < n for n > 0.
  int32_t next(int32_t n);

 private:
  uint32_t seed_;
};

}  // namespace tovrik

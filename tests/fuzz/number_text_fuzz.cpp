// Fuzz target for the number rules: any text read as integer and decimal text, and every decimal that reads
// written back in the general format and read again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "command/error.h"
#include "text/number_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    tovrik::readIntegerText(text);
  } catch (const tovrik::ConversionError&) {
  }
  for (const char separator : {',', '.'}) {
    long double value;
    try {
      value = tovrik::readDecimalText(text, separator);
    } catch (const tovrik::ConversionError&) {
      continue;
    }
    // A value that reads must format, and its 15 digits must read back (they never round past the range).
    const std::string written = tovrik::formatGeneral(value, separator);
    const long double again = tovrik::readDecimalText(written, separator);
    if (tovrik::formatGeneral(again, separator) != written) __builtin_trap();
    try {
      tovrik::roundHalfEven(value);
    } catch (const tovrik::ArithmeticError&) {
    }
  }
  return 0;
}

// ASCII-only case conversion that steps whole characters of the ANSI code page.
#include "text/ascii_case.h"

#include "command/ascii.h"

namespace tovrik {
namespace {

// A trail byte that happens to equal an ASCII letter is not one; changing it would turn the
// character into another.
std::string convertAsciiCase(std::string_view text, bool toUpper, const AnsiCharset& charset) {
  std::string result(text);
  for (std::size_t pos = 0; pos < result.size();) {
    const std::size_t next = charset.next(result, pos);
    if (next == pos + 1) {
      char& c = result[pos];
      c = toUpper ? upperAscii(c) : lowerAscii(c);
    }
    pos = next;
  }
  return result;
}

}  // namespace

std::string upperAsciiLetters(std::string_view text, const AnsiCharset& charset) {
  return convertAsciiCase(text, true, charset);
}

std::string lowerAsciiLetters(std::string_view text, const AnsiCharset& charset) {
  return convertAsciiCase(text, false, charset);
}

}  // namespace tovrik

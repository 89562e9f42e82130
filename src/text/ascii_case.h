// Case conversion of the ASCII letters only; both bytes of a double-byte character stay as they are.
#pragma once

#include <string>
#include <string_view>

#include "platform/ansi_charset.h"

namespace tovrik {

std::string upperAsciiLetters(std::string_view text, const AnsiCharset& charset);
std::string lowerAsciiLetters(std::string_view text, const AnsiCharset& charset);

}  // namespace tovrik

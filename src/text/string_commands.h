// String commands: measure, search, cut, convert case, compare, test and format the date.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "command/command.h"
#include "platform/ansi_charset.h"
#include "text/ascii_case.h"

namespace tovrik {

// 1-based byte position of the first occurrence of needle that starts on a character boundary; 0 when
// there is none or either text is empty.
std::size_t findTextPosition(std::string_view needle, std::string_view haystack, const AnsiCharset& charset);

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_STRING_HANDLERS(X) \
  X(runStrLength) \
  X(runStrPos) \
  X(runStrCopy) \
  X(runUpperCase) \
  X(runLowerCase) \
  X(runIsNumeric) \
  X(runCompare) \
  X(runGetDate) \
  X(runGetVersion)

TOVRIK_STRING_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kStringHandlers[] = {TOVRIK_STRING_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik

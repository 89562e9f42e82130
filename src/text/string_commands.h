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

void runStrLength(Command& command);
void runStrPos(Command& command);
void runStrCopy(Command& command);
void runUpperCase(Command& command);
void runLowerCase(Command& command);
void runIsNumeric(Command& command);
void runCompare(Command& command);
void runGetDate(Command& command);
void runGetVersion(Command& command);

}  // namespace tovrik

// String command handlers.
#include "text/string_commands.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "command/ascii.h"
#include "command/error.h"
#include "platform/services.h"
#include "text/date_format.h"
#include "text/number_rules.h"

namespace tovrik {
namespace {

bool isBlankAfterTrim(std::string_view text) {
  for (char c : text)
    if (!isBlankOrControl(c)) return false;
  return true;
}

// Clipping in 64 bits: start and count may both be near the 32-bit limits.
std::string clipSubstring(std::string_view text, int64_t start, int64_t count) {
  const int64_t length = static_cast<int64_t>(text.size());
  if (length == 0 || count < 0) return {};
  if (start < 1) start = 1;
  if (start > length) return {};
  const int64_t available = length - start + 1;
  if (count > available) count = available;
  return std::string(text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

}  // namespace

// A match that begins on a trail byte would cut a character in two, so only character starts count.
std::size_t findTextPosition(std::string_view needle, std::string_view haystack, const AnsiCharset& charset) {
  if (needle.empty() || haystack.empty()) return 0;
  for (std::size_t pos = 0; pos < haystack.size(); pos = charset.next(haystack, pos)) {
    if (haystack.size() - pos < needle.size()) break;
    if (haystack.compare(pos, needle.size(), needle) == 0) return pos + 1;
  }
  return 0;
}

void runStrLength(Command& command) {
  command.lines.addSet("STRLEN", std::to_string(command.param(1).size()));
}

void runStrPos(Command& command) {
  const AnsiCharset& charset = command.services.ansiCharset();
  const std::string needle = lowerAsciiLetters(command.param(1), charset);
  const std::string haystack = lowerAsciiLetters(command.param(2), charset);
  command.lines.addSet("STRPOS", std::to_string(findTextPosition(needle, haystack, charset)));
}

void runStrCopy(Command& command) {
  const std::string& text = command.param(1);
  const int64_t start = readIntegerText(command.param(2));
  const std::string& countText = command.param(3);
  const int64_t count = isBlankAfterTrim(countText) ? static_cast<int64_t>(text.size())
                                                     : readIntegerText(countText);
  command.lines.addSet("STRCOPY", clipSubstring(text, start, count));
}

void runUpperCase(Command& command) {
  command.lines.addSet("STRING", upperAsciiLetters(command.param(1), command.services.ansiCharset()));
}

// Reads the raw command line on purpose: "NULL" stays, and a missing parameter is just empty.
void runLowerCase(Command& command) {
  const std::string_view text =
      command.rawParameters.size() > 2 ? std::string_view(command.rawParameters[2]) : std::string_view();
  command.lines.addSet("STRING", lowerAsciiLetters(text, command.services.ansiCharset()));
}

// Scripts call isnumeric to test text, so a bad or missing argument is an answer, not an error.
void runIsNumeric(Command& command) {
  std::string written;
  try {
    const char separator = command.services.regionalSettings().decimalSeparator;
    written = formatGeneral(readDecimalText(command.param(1), separator), separator);
  } catch (const ListIndexError&) {
    command.lines.addSet("ISNUMERIC", "0");
    return;
  } catch (const ConversionError&) {
    command.lines.addSet("ISNUMERIC", "0");
    return;
  }
  command.lines.addSet("INT", written);
  command.lines.addSet("ISNUMERIC", "1");
}

void runCompare(Command& command) {
  const int32_t first = readIntegerText(command.param(1));
  const int32_t second = readIntegerText(command.param(2));
  const char* result = first == second ? "0" : first > second ? "1" : "2";
  command.lines.addSet("RESULT", result);
}

void runGetDate(Command& command) {
  const std::string& format = command.param(1);
  command.lines.addSet("DATE", formatDateTime(formatOrDefault(format), command.services.clock().localTime(),
                                              command.services.regionalSettings(), command.services.ansiCharset()));
}

void runGetVersion(Command& command) { command.lines.addSet("RESULT", "1000"); }

}  // namespace tovrik

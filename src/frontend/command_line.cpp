// Command-line splitting: blanks (codes 1 to 32) separate, double quotes group and are dropped.
#include "frontend/command_line.h"

namespace tovrik {
namespace {

bool isBlank(wchar_t c) { return c != L'\0' && static_cast<unsigned>(c) <= 32; }
bool isSeparator(wchar_t c) { return static_cast<unsigned>(c) <= 32; }

// Reads one parameter starting at pos and leaves pos after it. Only U+0022 quotes; in UTF-16 no unit
// of another character can be taken for a quote or a blank.
std::wstring readParameter(std::wstring_view raw, std::size_t& pos) {
  for (;;) {
    while (pos < raw.size() && isBlank(raw[pos])) ++pos;
    if (pos + 1 < raw.size() && raw[pos] == L'"' && raw[pos + 1] == L'"') {
      pos += 2;
      continue;
    }
    break;
  }
  std::wstring parameter;
  bool quoted = false;
  for (; pos < raw.size(); ++pos) {
    const wchar_t c = raw[pos];
    if (c == L'\0') break;
    if (!quoted && isSeparator(c)) break;
    if (c == L'"')
      quoted = !quoted;
    else
      parameter += c;
  }
  return parameter;
}

}  // namespace

std::vector<std::wstring> splitCommandLine(std::wstring_view raw) {
  std::vector<std::wstring> parameters;
  std::size_t pos = 0;
  // Parameter 0 counts even when empty; the list ends at the first empty parameter after it.
  parameters.push_back(readParameter(raw, pos));
  for (;;) {
    std::wstring parameter = readParameter(raw, pos);
    if (parameter.empty()) break;
    parameters.push_back(std::move(parameter));
  }
  return parameters;
}

std::optional<std::vector<std::string>> toAnsiParameters(const std::vector<std::wstring>& parameters,
                                                         const AnsiNames& names) {
  std::vector<std::string> converted;
  converted.reserve(parameters.size());
  for (std::size_t i = 0; i < parameters.size(); ++i) {
    std::optional<std::string> parameter = exactOrShortName(parameters[i], names);
    if (!parameter) {
      if (i > 0) return std::nullopt;
      parameter.emplace();  // the program's own name as typed: never read, never refused
    }
    converted.push_back(std::move(*parameter));
  }
  return converted;
}

}  // namespace tovrik

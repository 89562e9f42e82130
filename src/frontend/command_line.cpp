// Command-line splitting: blanks (codes 1 to 32) separate, double quotes group and are dropped.
#include "frontend/command_line.h"

namespace tovrik {
namespace {

bool isBlank(char c) { return c != '\0' && static_cast<unsigned char>(c) <= 32; }
bool isSeparator(char c) { return static_cast<unsigned char>(c) <= 32; }

// Reads one parameter starting at pos and leaves pos after it.
std::string readParameter(std::string_view raw, std::size_t& pos, const AnsiCharset& charset) {
  for (;;) {
    while (pos < raw.size() && isBlank(raw[pos])) ++pos;
    if (pos + 1 < raw.size() && raw[pos] == '"' && raw[pos + 1] == '"') {
      pos += 2;
      continue;
    }
    break;
  }
  std::string parameter;
  bool quoted = false;
  while (pos < raw.size()) {
    const char c = raw[pos];
    if (c == '\0') break;
    if (!quoted && isSeparator(c)) break;
    const std::size_t next = charset.next(raw, pos);
    if (c == '"') {
      quoted = !quoted;
    } else {
      parameter.append(raw.substr(pos, next - pos));
    }
    pos = next;
  }
  return parameter;
}

}  // namespace

std::vector<std::string> splitCommandLine(std::string_view raw, const AnsiCharset& charset) {
  std::vector<std::string> parameters;
  std::size_t pos = 0;
  // Parameter 0 counts even when empty; the list ends at the first empty parameter after it.
  parameters.push_back(readParameter(raw, pos, charset));
  for (;;) {
    std::string parameter = readParameter(raw, pos, charset);
    if (parameter.empty()) break;
    parameters.push_back(std::move(parameter));
  }
  return parameters;
}

}  // namespace tovrik

// Fuzz target for the return file: any values, repeated up to past the line limit, give a file whose
// every line cmd.exe reads whole, with no line end inside a line, and (when a value holds "!") two
// versions of the same SET lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "command/error.h"
#include "frontend/return_file.h"

namespace {

class SingleByteCodePage final : public tovrik::ScriptCodePage {
 public:
  bool isLeadByte(unsigned char) const override { return false; }
  std::string fromAnsi(std::string_view ansi) const override { return std::string(ansi); }
};

std::vector<std::string> linesOf(const std::string& file) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < file.size()) {
    const std::size_t end = file.find("\r\n", start);
    if (end == std::string::npos) __builtin_trap();  // the file ends with CR LF
    lines.push_back(file.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string nameOf(const std::string& line) { return line.substr(0, line.find('=')); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte repeats the rest, so values reach past the line limit; "\x01" splits them.
  const std::size_t repeats = 1 + data[0] % 64 * 40;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const SingleByteCodePage codePage;
  const tovrik::ReturnFileFormat format(codePage);
  tovrik::LineList lines(&format);
  lines.addRemark("REM - header");
  try {
    std::size_t start = 0;
    while (start <= input.size()) {
      const std::size_t end = std::min(input.find('\x01', start), input.size());
      std::string value;
      for (std::size_t i = 0; i < repeats; ++i) value.append(input.substr(start, end - start));
      if (end % 3 == 0)
        lines.addSecret("PASSWORD", value);
      else
        lines.addSet("VAR", value);
      start = end + 1;
    }
  } catch (const tovrik::LineTooLongError&) {
    lines.addError();
  }
  const std::vector<std::string> written = linesOf(format.render(lines));
  std::vector<std::string> plain, delayed;
  bool inDelayed = false, jumped = false;
  for (std::size_t i = 1; i < written.size(); ++i) {
    const std::string& line = written[i];
    if (line.size() > tovrik::kLongestReturnLine) __builtin_trap();
    if (line.find_first_of(std::string_view("\r\n\x1A\0", 4)) != std::string::npos) __builtin_trap();
    if (i == 1 && line == "@if \"!!\"==\"\" goto tovrik_delayed_expansion") {
      jumped = true;
    } else if (jumped && line == "@goto :eof") {
      if (written.at(++i) != ":tovrik_delayed_expansion") __builtin_trap();
      inDelayed = true;
    } else {
      (inDelayed ? delayed : plain).push_back(nameOf(line));
    }
  }
  if (jumped != inDelayed || (jumped && plain != delayed)) __builtin_trap();
  return 0;
}

// Stepping whole characters of the ANSI code page, so a trail byte is never taken for a delimiter.
#pragma once

#include <cstddef>
#include <string_view>

namespace tovrik {

class AnsiCharset {
 public:
  virtual ~AnsiCharset() = default;
  virtual bool isLeadByte(unsigned char byte) const = 0;

  // Position of the character after the one at pos (as CharNextA: a lead byte followed by NUL or the
  // end of the text is a character of its own).
  std::size_t next(std::string_view text, std::size_t pos) const {
    if (pos >= text.size()) return text.size();
    if (isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() && text[pos + 1] != '\0')
      return pos + 2;
    return pos + 1;
  }
};

// Single-byte code pages (1252 and the like): every byte is a character.
class SingleByteCharset final : public AnsiCharset {
 public:
  bool isLeadByte(unsigned char) const override { return false; }
};

}  // namespace tovrik

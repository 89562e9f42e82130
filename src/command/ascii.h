// ASCII-only character rules shared by every layer: case folding of A-Z alone (never the ANSI code
// page's other letters) and trimming of blanks and control characters (codes 0 to 32).
#pragma once

#include <string>
#include <string_view>

namespace tovrik {

constexpr bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Every byte through lowerAscii; for text that holds no double-byte characters (words, names, paths
// compared without regard to case).
inline std::string lowerAscii(std::string_view text) {
  std::string lowered(text);
  for (char& c : lowered) c = lowerAscii(c);
  return lowered;
}

constexpr bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 32; }

// Without leading and trailing blanks and control characters.
constexpr std::string_view trimBlanksAndControls(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && isBlankOrControl(text[first])) ++first;
  while (last > first && isBlankOrControl(text[last - 1])) --last;
  return text.substr(first, last - first);
}

}  // namespace tovrik

// Reading the strings that Win32 calls hand back in a caller's buffer, and converting wide text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tovrik {

// For the calls that answer the size they need when the buffer is too small (GetSystemDirectoryA and
// the like): asks the size first, so a long value is never cut; nullopt when the call fails or the value
// grew in between. `fill(buffer, size)` makes the call.
template <typename Char = char, typename Fill>
std::optional<std::basic_string<Char>> readSizedString(Fill fill) {
  const UINT needed = fill(nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::basic_string<Char> text(needed, Char());
  const UINT copied = fill(text.data(), needed);
  if (copied == 0 || copied >= needed) return std::nullopt;
  text.resize(copied);
  return text;
}

inline std::string convertWideToCodePage(UINT codePage, const wchar_t* text, int length) {
  const int size = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string converted(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, text, length, converted.data(), size, nullptr, nullptr);
  return converted;
}

}  // namespace tovrik

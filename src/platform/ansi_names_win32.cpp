// Exact conversion to the ANSI code page: WideCharToMultiByte without best fit, checked by the way back.
#include "platform/ansi_names_win32.h"

#include <windows.h>

namespace tovrik {

std::optional<std::string> Win32AnsiNames::exact(std::wstring_view text) const {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  // UTF-8 as the ANSI code page takes neither the flag nor the used-default report.
  const bool utf8 = GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultReport = utf8 ? nullptr : &usedDefault;
  const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, usedDefaultReport);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string converted(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(CP_ACP, flags, text.data(), length, converted.data(), size, nullptr, usedDefaultReport) !=
          size ||
      usedDefault)
    return std::nullopt;
  // The way back must give the very same characters: a lone surrogate or a character the table maps
  // without the flag's notice would otherwise pass.
  if (widenAnsi(converted) != text) return std::nullopt;
  return converted;
}

std::optional<std::wstring> Win32AnsiNames::shortPath(std::wstring_view path) const {
  const std::wstring name(path);
  const DWORD needed = GetShortPathNameW(name.c_str(), nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::wstring shortForm(needed, L'\0');
  const DWORD length = GetShortPathNameW(name.c_str(), shortForm.data(), needed);
  if (length == 0 || length >= needed) return std::nullopt;
  shortForm.resize(length);
  return shortForm;
}

std::wstring widenAnsi(std::string_view ansi) {
  if (ansi.empty()) return std::wstring();
  const int length = static_cast<int>(ansi.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), size);
  return wide;
}

std::optional<std::string> exactAnsiPath(std::wstring_view path) {
  const Win32AnsiNames names;
  if (std::optional<std::string> found = exactOrShortName(path, names)) return found;
  // An item not made yet has no short form; its folder may.
  const std::size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring_view::npos || slash == 0) return std::nullopt;
  const std::optional<std::string> leaf = names.exact(path.substr(slash + 1));
  if (!leaf) return std::nullopt;
  const std::optional<std::wstring> folder = names.shortPath(path.substr(0, slash + 1));
  if (!folder) return std::nullopt;
  const std::optional<std::string> folderName = names.exact(*folder);
  if (!folderName) return std::nullopt;
  std::string joined = *folderName;
  if (!joined.empty() && joined.back() != '\\' && joined.back() != '/') joined += '\\';
  return joined + *leaf;
}

}  // namespace tovrik

// Turning UTF-16 names into the ANSI code page without best fit, so that a name is never turned into
// another name (a look-alike the file system may hold, or a fullwidth quote turned into a real one).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovrik {

class AnsiNames {
 public:
  virtual ~AnsiNames() = default;
  // The text in the ANSI code page when every character converts and converts back to itself; nullopt
  // otherwise.
  virtual std::optional<std::string> exact(std::wstring_view text) const = 0;
  // The short (8.3) form of an existing file or folder, as the file system gives it; nullopt when the
  // item does not exist or has none.
  virtual std::optional<std::wstring> shortPath(std::wstring_view path) const = 0;
};

// A name as the ANSI calls can reach it: the exact form, else the exact short form of the existing
// item it names; nullopt when neither exists.
std::optional<std::string> exactOrShortName(std::wstring_view name, const AnsiNames& names);

}  // namespace tovrik

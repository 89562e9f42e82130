// UTF-16 names from the system brought into the ANSI code page exactly, never by best fit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/ansi_names.h"

namespace tovrik {

class Win32AnsiNames final : public AnsiNames {
 public:
  std::optional<std::string> exact(std::wstring_view text) const override;
  std::optional<std::wstring> shortPath(std::wstring_view path) const override;
};

// ANSI text as UTF-16 (always exact).
std::wstring widenAnsi(std::string_view ansi);

// A path the system gave in UTF-16, as the program can report it and hand it to the ANSI calls: its
// exact form, else the exact short form of the item, else (for an item still to be made) the exact
// short form of its folder followed by its exact name; nullopt when none of these exists.
std::optional<std::string> exactAnsiPath(std::wstring_view path);

}  // namespace tovrik

// Names outside the ANSI code page: exact conversion, or the short form of the item they name.
#include "platform/ansi_names.h"

namespace tovrik {

std::optional<std::string> exactOrShortName(std::wstring_view name, const AnsiNames& names) {
  if (std::optional<std::string> exact = names.exact(name)) return exact;
  const std::optional<std::wstring> shortForm = names.shortPath(name);
  if (!shortForm) return std::nullopt;
  return names.exact(*shortForm);
}

}  // namespace tovrik

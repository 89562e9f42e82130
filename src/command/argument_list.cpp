// Argument list, "NULL" marker removal and the command word.
#include "command/argument_list.h"

#include "command/ascii.h"
#include "command/error.h"

namespace tovrik {

std::string removeNullMarkers(std::string_view text) {
  static constexpr std::string_view kMarker = "NULL";
  std::string result;
  result.reserve(text.size());
  std::size_t pos = 0;
  for (;;) {
    const std::size_t found = text.find(kMarker, pos);
    if (found == std::string_view::npos) break;
    result.append(text.substr(pos, found - pos));
    pos = found + kMarker.size();
  }
  result.append(text.substr(pos));
  return result;
}

std::string commandWordOf(std::string_view argument) {
  return lowerAscii(trimBlanksAndControls(argument));
}

ArgumentList::ArgumentList(std::string_view modulePath, const std::vector<std::string>& parameters) {
  entries_.reserve(parameters.size() > 0 ? parameters.size() : 1);
  entries_.push_back(removeNullMarkers(modulePath));
  for (std::size_t i = 1; i < parameters.size(); ++i) entries_.push_back(removeNullMarkers(parameters[i]));
}

const std::string& ArgumentList::at(std::size_t index) const {
  if (index >= entries_.size())
    throw ListIndexError("Indice de liste hors limites (" + std::to_string(index) + ")");
  return entries_[index];
}

}  // namespace tovrik

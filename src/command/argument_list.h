// The argument list that every command reads by index: entry 0 the program path, entry 1 the command
// word, then the command's own arguments, each with every "NULL" marker removed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tovrik {

// Scripts cannot pass an empty parameter, so they write NULL; the exact upper-case marker is removed
// wherever it stands ("xNULLy" becomes "xy").
std::string removeNullMarkers(std::string_view text);

// Argument 1 without leading and trailing codes 0 to 32, with ASCII letters lowered.
std::string commandWordOf(std::string_view argument);

class ArgumentList {
 public:
  // parameters: the split command line (parameter 0 is replaced by modulePath).
  ArgumentList(std::string_view modulePath, const std::vector<std::string>& parameters);

  // Raises ListIndexError ("Indice de liste hors limites (%d)") past the end, so a command whose
  // argument is missing ends with SET ERROR=1 without counting its arguments itself.
  const std::string& at(std::size_t index) const;
  std::size_t size() const { return entries_.size(); }

 private:
  std::vector<std::string> entries_;
};

}  // namespace tovrik

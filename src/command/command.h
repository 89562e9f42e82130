// What a command handler sees: its arguments, the lines it appends, and the platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "command/argument_list.h"
#include "command/line_list.h"

namespace tovrik {

// The platform, as the running program or a test provides it (platform/services.h).
class Services;

struct Command {
  const ArgumentList& args;
  LineList& lines;
  Services& services;
  std::string_view word;  // the command word, trimmed and lowered
  // The split command line, untouched by the "NULL" removal (lowercase reads it directly).
  const std::vector<std::string>& rawParameters;
  // The variant of the dispatch row being run: words registered with several rows tell them apart by it.
  int variant = 0;

  const std::string& arg(std::size_t index) const { return args.at(index); }
};

using CommandHandler = void (*)(Command&);

}  // namespace tovrik

// The command table: the one place where a command word is registered.
#pragma once

#include <span>
#include <string_view>

#include "frontend/command.h"

namespace tovrik {

struct CommandEntry {
  std::string_view word;
  CommandHandler handler;
  int variant = 0;  // handed to the handler as Command::variant
};

std::span<const CommandEntry> commandTable();

// Runs every row registered for the command's word, in table order; an unknown word runs nothing.
void dispatchCommand(Command& command);

}  // namespace tovrik

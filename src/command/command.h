// What a command handler sees: its arguments, the lines it appends, and the platform.
#pragma once

#include <stdexcept>
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
  // The variant of the dispatch row being run: words that share a handler, and the rows of one word,
  // tell their behaviour apart by it, never by the word's spelling.
  int variant = 0;

  // The script's parameter at `position` after the command word: param(1) is the first. Past the end it
  // raises ListIndexError with the argument list's index (position + 1), as every missing argument does.
  const std::string& param(std::size_t position) const { return args.at(position + 1); }

  // The variant as the handler family's enum, which its rows give.
  template <class Enum>
  Enum variantAs() const {
    return static_cast<Enum>(variant);
  }
  // For words that come in a pair told apart by a two-valued enum: whether the row gave `value`
  // rather than `otherValue`; anything else is a mistake in the table.
  template <class Enum>
  bool variantIs(Enum value, Enum otherValue) const {
    const Enum given = variantAs<Enum>();
    if (given != value && given != otherValue) rejectVariant();
    return given == value;
  }
  // For the end of a switch over every value of the family's enum: a row that gives a value outside it
  // is a mistake in the table, not a behaviour to fall back on.
  [[noreturn]] void rejectVariant() const {
    throw std::logic_error("no behaviour for variant " + std::to_string(variant) + " of " + std::string(word));
  }
};

using CommandHandler = void (*)(Command&);

// A handler and its name, as its family's handler list gives it.
struct NamedHandler {
  std::string_view name;
  CommandHandler handler;
};

// Each family header lists its handlers once, as `#define TOVRIK_FAMILY_HANDLERS(X) X(runA) X(runB)`;
// these two turn the list into the handlers' declarations and into the family's table of named handlers.
#define TOVRIK_DECLARE_HANDLER(name) void name(Command& command);
#define TOVRIK_NAME_HANDLER(name) ::tovrik::NamedHandler{#name, &name},

}  // namespace tovrik

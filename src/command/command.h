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

  const std::string& arg(std::size_t index) const { return args.at(index); }

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

}  // namespace tovrik

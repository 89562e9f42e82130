// The command table: the one place where a command word is registered.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "command/command.h"

namespace tovrik {

// What a row says of its word besides its handler; a row names the ones that apply, joined by |.
enum RowTraits : unsigned {
  kNoTraits = 0,
  // Writes no return file on success, so start-up must not delete the one that another command of the
  // same script may just have written.
  kKeepsPreviousReturnFile = 1u << 0,
  // Shows a window that waits for a person's answer (a dialog, a message box, a question of the shell):
  // where no one can see a window the word does nothing and ends with "SET ERROR=1".
  kWaitsForAnswer = 1u << 1,
};
constexpr RowTraits operator|(RowTraits a, RowTraits b) { return static_cast<RowTraits>(unsigned{a} | unsigned{b}); }

struct CommandEntry {
  std::string_view word;
  CommandHandler handler;
  int variant = 0;  // handed to the handler as Command::variant
  bool keepsPreviousReturnFile = false;
  bool waitsForAnswer = false;

  constexpr CommandEntry(std::string_view word, CommandHandler handler, int variant = 0,
                         RowTraits traits = kNoTraits)
      : word(word),
        handler(handler),
        variant(variant),
        keepsPreviousReturnFile((traits & kKeepsPreviousReturnFile) != 0),
        waitsForAnswer((traits & kWaitsForAnswer) != 0) {}
  // A row of a shared handler names its behaviour by a value of the family's enum (the dlgyesno row
  // gives runMessageBox MessageBoxKind::kYesNo).
  template <class Enum>
    requires std::is_enum_v<Enum>
  constexpr CommandEntry(std::string_view word, CommandHandler handler, Enum variant, RowTraits traits = kNoTraits)
      : CommandEntry(word, handler, static_cast<int>(variant), traits) {}
};

std::span<const CommandEntry> commandTable();

// Whether the command line (split, program name first) runs a word that keeps the previous return file.
bool keepsPreviousReturnFile(const std::vector<std::string>& parameters);

// Whether the run would show a window that waits for a person's answer: the configuration form (no
// command word) or a word whose row says so.
bool waitsForAnswer(const std::vector<std::string>& parameters);

// Runs every row registered for the command's word, in table order; an unknown word runs nothing.
void dispatchCommand(Command& command);

}  // namespace tovrik

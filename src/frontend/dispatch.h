// The command table: the one place where a command word is registered.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "command/command.h"

namespace tovrik {

// A row's variant: a value of the family's enum (the dlgyesno row gives runMessageBox
// MessageBoxKind::kYesNo), handed to the handler as Command::variant.
struct RowVariant {
  int value = 0;
  constexpr RowVariant() = default;
  template <class Enum>
    requires std::is_enum_v<Enum>
  constexpr RowVariant(Enum variant) : value(static_cast<int>(variant)) {}
  constexpr operator int() const { return value; }
};

// One row of the command table, written with named fields: {.word = "dlgyesno", .handler = runMessageBox,
// .variant = MessageBoxKind::kYesNo}.
struct CommandEntry {
  std::string_view word;
  CommandHandler handler = nullptr;
  RowVariant variant{};
  // Writes no return file on success, so start-up must not delete the one that another command of the
  // same script may just have written.
  bool keepsPreviousReturnFile = false;
  // Shows a window that waits for a person's answer (a dialog, a message box, a question of the shell):
  // where no one can see a window the word does nothing and ends with "SET ERROR=1".
  bool waitsForAnswer = false;
  // Of such a word, the argument (counted as Command::param counts) that may give it a time-out; 0 for
  // none. A run that gives one answers itself when nobody does: it does not wait for a person, and its
  // handler asks the window station itself.
  std::size_t timeOutParam = 0;
};

std::span<const CommandEntry> commandTable();

// Every handler the families list, each family's in its list's order.
std::vector<NamedHandler> declaredHandlers();

// Whether the command line (split, program name first) runs a word that keeps the previous return file.
bool keepsPreviousReturnFile(const std::vector<std::string>& parameters);

// Whether the run would show a window that waits for a person's answer: the configuration form (no
// command word) or a word whose row says so, unless the run gives that word a time-out.
bool waitsForAnswer(const std::vector<std::string>& parameters);

// Runs every row registered for the command's word, in table order; an unknown word runs nothing.
void dispatchCommand(Command& command);

}  // namespace tovrik

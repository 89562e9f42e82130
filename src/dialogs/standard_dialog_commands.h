// createopendialog, createsavedialog, createinputdialog, createlistdialog, browsedirectory, the five message boxes,
// messagebeep and playwav.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "command/command.h"
#include "platform/ansi_charset.h"

namespace tovrik {

// createsavedialog also asks for the file name and default extension.
enum class FileDialogKind { kOpen, kSave };
// dlgcritical, dlgwarning and dlginformation show OK alone and report nothing; dlgyesno and dlgokcancel
// ask and report the button.
enum class MessageBoxKind { kCritical, kWarning, kInformation, kYesNo, kOkCancel };

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_STANDARD_DIALOG_HANDLERS(X) \
  X(runFileDialog) /* createopendialog, createsavedialog */ \
  X(runCreateInputDialog) \
  X(runCreateListDialog) \
  X(runBrowseDirectory) \
  X(runMessageBox) /* dlgcritical, dlgwarning, dlginformation, dlgyesno, dlgokcancel */ \
  X(runMessageBeep) \
  X(runPlayWav)

TOVRIK_STANDARD_DIALOG_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kStandardDialogHandlers[] = {TOVRIK_STANDARD_DIALOG_HANDLERS(TOVRIK_NAME_HANDLER)};

// The most entries the list dialog shows; a longer list is refused rather than cut.
inline constexpr std::size_t kMostListEntries = 1000;
// The longest a dialog given a time-out waits for a person: a day.
inline constexpr int kMostTimeOutSeconds = 86400;

// The seconds of a dialog's time-out argument (integer text, 1 to a day); nullopt when it is empty (left
// out, or NULL). Raises CommandError on anything else.
std::optional<int> timeOutSecondsOf(std::string_view text);

// The list dialog's entries: the items split at "|", empty ones dropped.
std::vector<std::string> listEntriesOf(std::string_view items, const AnsiCharset& charset);
// The 0-based entry a script's default names: the first entry of that exact text, else the one of that
// 1-based number (decimal digits, blanks around them ignored); nullopt when it names none (the dialog
// then selects the first entry).
std::optional<std::size_t> namedEntryOf(const std::vector<std::string>& entries, std::string_view name);

}  // namespace tovrik

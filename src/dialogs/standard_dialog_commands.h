// createopendialog, createsavedialog, createinputdialog, createlistdialog, browsedirectory, the five message boxes,
// messagebeep and playwav.
#pragma once

#include <cstddef>
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

void runFileDialog(Command& command);  // createopendialog, createsavedialog
void runCreateInputDialog(Command& command);
void runCreateListDialog(Command& command);
void runBrowseDirectory(Command& command);
void runMessageBox(Command& command);  // dlgcritical, dlgwarning, dlginformation, dlgyesno, dlgokcancel
void runMessageBeep(Command& command);
void runPlayWav(Command& command);

// The most entries the list dialog shows; a longer list is refused rather than cut.
inline constexpr std::size_t kMostListEntries = 1000;

// The list dialog's entries: the items split at "|", empty ones dropped.
std::vector<std::string> listEntriesOf(std::string_view items, const AnsiCharset& charset);
// The 0-based entry a script's default names: the first entry of that exact text, else the one of that
// 1-based number (decimal digits, blanks around them ignored), else the first.
std::size_t defaultEntryOf(const std::vector<std::string>& entries, std::string_view name);

}  // namespace tovrik

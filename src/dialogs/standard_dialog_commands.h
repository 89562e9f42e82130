// createopendialog, createsavedialog, createinputdialog, browsedirectory, the five message boxes,
// messagebeep and playwav.
#pragma once

#include "command/command.h"

namespace tovrik {

// createsavedialog also asks for the file name and default extension.
enum class FileDialogKind { kOpen, kSave };
// dlgcritical, dlgwarning and dlginformation show OK alone and report nothing; dlgyesno and dlgokcancel
// ask and report the button.
enum class MessageBoxKind { kCritical, kWarning, kInformation, kYesNo, kOkCancel };

void runFileDialog(Command& command);  // createopendialog, createsavedialog
void runCreateInputDialog(Command& command);
void runBrowseDirectory(Command& command);
void runMessageBox(Command& command);  // dlgcritical, dlgwarning, dlginformation, dlgyesno, dlgokcancel
void runMessageBeep(Command& command);
void runPlayWav(Command& command);

}  // namespace tovrik

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

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_STANDARD_DIALOG_HANDLERS(X) \
  X(runFileDialog) /* createopendialog, createsavedialog */ \
  X(runCreateInputDialog) \
  X(runBrowseDirectory) \
  X(runMessageBox) /* dlgcritical, dlgwarning, dlginformation, dlgyesno, dlgokcancel */ \
  X(runMessageBeep) \
  X(runPlayWav)

TOVRIK_STANDARD_DIALOG_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kStandardDialogHandlers[] = {TOVRIK_STANDARD_DIALOG_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik

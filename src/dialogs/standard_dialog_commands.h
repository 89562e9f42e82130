// createopendialog, createsavedialog, createinputdialog, browsedirectory, the five message boxes,
// messagebeep and playwav.
#pragma once

#include "command/command.h"

namespace tovrik {

void runFileDialog(Command& command);  // createopendialog, createsavedialog
void runCreateInputDialog(Command& command);
void runBrowseDirectory(Command& command);
void runMessageBox(Command& command);  // dlgcritical, dlgwarning, dlginformation, dlgyesno, dlgokcancel
void runMessageBeep(Command& command);
void runPlayWav(Command& command);

}  // namespace tovrik

// createpassworddlg and createlongondlg: ask for credentials and hand them back to the script.
#pragma once

#include "command/command.h"

namespace tovrik {

void runCreatePasswordDlg(Command& command);
void runCreateLogonDlg(Command& command);

}  // namespace tovrik

// The shell copy, move and delete commands: the silent word asks nothing and shows no error box, the
// plain word lets the shell ask and report. Neither reports anything to the script.
#include "files/shell_commands.h"

#include "files/shell_file_operation.h"
#include "platform/services.h"

namespace tovrik {
namespace {

void runShellOperation(Command& command, TJvSHFileOpType operation) {
  const bool silent = command.variantIs(DirOperationMode::kSilent, DirOperationMode::kConfirm);
  TJvSHFileOperation JvSHFileOperation = makeMainFormFileOperation(command.services.shell());
  SHSilent(JvSHFileOperation, silent);
  JvSHFileOperation.Operation = operation;
  JvSHFileOperation.SourceFiles.push_back(command.arg(2));
  if (operation != foDelete) JvSHFileOperation.DestFiles.push_back(command.arg(3));
  // Scripts check the result themselves afterwards (fileexists, directoryexists).
  JvSHFileOperation.Execute();
}

}  // namespace

void runDirCopy(Command& command) { runShellOperation(command, foCopy); }
void runDirMove(Command& command) { runShellOperation(command, foMove); }
void runDirDelete(Command& command) { runShellOperation(command, foDelete); }

}  // namespace tovrik

// The shell copy, move and delete commands: the silent word asks nothing and shows no error box, the
// plain word lets the shell ask and report. Neither reports anything to the script.
#include "files/shell_commands.h"

#include "files/shell_file_operation.h"
#include "platform/services.h"

namespace tovrik {
namespace {

void runShellOperation(Command& command, FileOperationKind kind) {
  const bool silent = command.variantIs(DirOperationMode::kSilent, DirOperationMode::kConfirm);
  ShellFileOperation operation = makeDefaultFileOperation(command.services.shell());
  setSilent(operation, silent);
  operation.kind = kind;
  operation.sourceFiles.push_back(command.param(1));
  if (kind != FileOperationKind::kDelete) operation.destinationFiles.push_back(command.param(2));
  // Scripts check the result themselves afterwards (fileexists, directoryexists).
  operation.execute();
}

}  // namespace

void runDirCopy(Command& command) { runShellOperation(command, FileOperationKind::kCopy); }
void runDirMove(Command& command) { runShellOperation(command, FileOperationKind::kMove); }
void runDirDelete(Command& command) { runShellOperation(command, FileOperationKind::kDelete); }

}  // namespace tovrik

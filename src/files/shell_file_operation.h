// ShellFileOperation turns two path lists, an operation and a set of options into one shell file operation.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell.h"

namespace tovrik {

enum class FileOperationKind : std::uint8_t { kCopy, kDelete, kMove, kRename };

// The order is the bit number in FileOperationOptions.
enum class FileOperationOption : unsigned {
  kAllowUndo,
  kConfirmMouse,
  kFilesOnly,
  kMultiDestFiles,
  kNoConfirmation,
  kNoConfirmMkDir,
  kRenameOnCollision,
  kSilent,
  kSimpleProgress,
  kWantMappingHandle,
  kNoErrorUi,
  kNoCopySecurityAttributes,
  kNoRecursion,
  kNoConnectedElements,
  kNoRecurseParse,
  kWantNukeWarning,
};
constexpr unsigned kFileOptionCount = 16;

// A set of FileOperationOption: bit i set when option i is in the set.
using FileOperationOptions = std::uint16_t;

constexpr FileOperationOptions optionSet(FileOperationOption option) {
  return static_cast<FileOperationOptions>(1u << static_cast<unsigned>(option));
}

// The options every invocation starts with: the shell asks nothing and shows no error box.
constexpr FileOperationOptions kDefaultFileOptions = optionSet(FileOperationOption::kNoConfirmation) |
                                                     optionSet(FileOperationOption::kNoConfirmMkDir) |
                                                     optionSet(FileOperationOption::kNoErrorUi);

// The shell's FOF_* flags of a set of options.
std::uint16_t shellFlagsOf(FileOperationOptions options);
// The shell's wFunc code of an operation.
unsigned shellFunctionOf(FileOperationKind operation);

// The full form of a path, then its universal name when it lies on a drive letter. Throws
// PlatformError when the path has no full form that fits the system's 260-character buffer (an empty
// or overlong path).
std::string expandFileOperationPath(std::string_view path, Shell& shell);
// The expanded paths, each followed by a NUL, then one closing NUL.
std::string buildPathList(const std::vector<std::string>& paths, Shell& shell);

class ShellFileOperation {
 public:
  using FileMappingEvent = std::function<void(ShellFileOperation& sender, const std::string& oldFileName,
                                              const std::string& newFileName)>;

  explicit ShellFileOperation(Shell& shell) : shell_(shell) {}
  virtual ~ShellFileOperation() = default;

  std::vector<std::string> sourceFiles;
  std::vector<std::string> destinationFiles;
  FileOperationKind kind = FileOperationKind::kCopy;
  FileOperationOptions options =
      optionSet(FileOperationOption::kAllowUndo) | optionSet(FileOperationOption::kFilesOnly);
  std::string title;
  FileMappingEvent onFileMapping;

  // Runs the operation; true when the shell reported success and no part was aborted. Throws when
  // sourceFiles has no entry at all, when a destination holds a wildcard, or when a path has no full form.
  virtual bool execute();

 protected:
  virtual void notifyFileMapping(const std::string& oldFileName, const std::string& newFileName);

 private:
  Shell& shell_;
};

// The operation as every invocation starts it.
inline ShellFileOperation makeDefaultFileOperation(Shell& shell) {
  ShellFileOperation operation(shell);
  operation.options = kDefaultFileOptions;
  return operation;
}

// Silent: adds kNoConfirmation, kNoErrorUi and kNoConfirmMkDir; otherwise removes them. The other
// options stay.
void setSilent(ShellFileOperation& operation, bool silent);

}  // namespace tovrik

// TJvSHFileOperation: the main form's component that turns two path lists, an operation and a set of
// options into one shell file operation.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/shell.h"

namespace tovrik {

enum TJvSHFileOpType : std::uint8_t { foCopy, foDelete, foMove, foRename };

// The order is the bit number in TJvSHFileOptions.
enum TJvSHFileOption : unsigned {
  fofAllowUndo,
  fofConfirmMouse,
  fofFilesOnly,
  fofMultiDestFiles,
  fofNoConfirmation,
  fofNoConfirmMkDir,
  fofRenameOnCollision,
  fofSilent,
  fofSimpleProgress,
  fofWantMappingHandle,
  fofNoErrorUI,
  fofNoCopySecurityAttributes,
  fofNoRecursion,
  fofNoConnectedElements,
  fofNoRecurseParse,
  fofWantNukeWarning,
};
constexpr unsigned kFileOptionCount = 16;

// A set of TJvSHFileOption: bit i set when option i is in the set.
using TJvSHFileOptions = std::uint16_t;

constexpr TJvSHFileOptions optionSet(TJvSHFileOption option) {
  return static_cast<TJvSHFileOptions>(1u << option);
}

// What the main form's stored properties give the component at the start of every invocation.
constexpr TJvSHFileOptions kMainFormFileOptions =
    optionSet(fofNoConfirmation) | optionSet(fofNoConfirmMkDir) | optionSet(fofNoErrorUI);

// The shell's FOF_* flags of a set of options.
std::uint16_t shellFlagsOf(TJvSHFileOptions options);
// The shell's wFunc code of an operation.
unsigned shellFunctionOf(TJvSHFileOpType operation);

// The full form of a path, then its universal name when it lies on a drive letter. Throws
// PlatformError when the path has no full form that fits the system's 260-character buffer (an empty
// or overlong path).
std::string expandFileOperationPath(std::string_view path, Shell& shell);
// The expanded paths, each followed by a NUL, then one closing NUL.
std::string buildPathList(const std::vector<std::string>& paths, Shell& shell);

class TJvSHFileOperation {
 public:
  using FileMappingEvent = std::function<void(TJvSHFileOperation& sender, const std::string& oldFileName,
                                              const std::string& newFileName)>;

  explicit TJvSHFileOperation(Shell& shell) : shell_(shell) {}
  virtual ~TJvSHFileOperation() = default;

  std::vector<std::string> SourceFiles;
  std::vector<std::string> DestFiles;
  TJvSHFileOpType Operation = foCopy;
  TJvSHFileOptions Options = optionSet(fofAllowUndo) | optionSet(fofFilesOnly);
  std::string Title;
  FileMappingEvent OnFileMapping;

  // Runs the operation; true when the shell reported success and no part was aborted. Throws when
  // SourceFiles has no entry at all, when a destination holds a wildcard, or when a path has no full form.
  virtual bool Execute();

 protected:
  virtual void NotifyFileMapping(const std::string& oldFileName, const std::string& newFileName);

 private:
  Shell& shell_;
};

// The main form's component as every invocation finds it.
inline TJvSHFileOperation makeMainFormFileOperation(Shell& shell) {
  TJvSHFileOperation operation(shell);
  operation.Options = kMainFormFileOptions;
  return operation;
}

// Silent: adds fofNoConfirmation, fofNoErrorUI and fofNoConfirmMkDir; otherwise removes them. The
// other options stay.
void SHSilent(TJvSHFileOperation& operation, bool silent);

}  // namespace tovrik

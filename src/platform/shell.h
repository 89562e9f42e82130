// The platform shell as the file-operation and shell-integration commands use it: file operations,
// path expansion, special folders, shortcuts, ShellExecute and executable lookup. Plain types only;
// every text is in the ANSI code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovrik {

// The fields of one SHFileOperationA call.
struct ShellFileOperationCall {
  unsigned function = 0;     // the shell's wFunc code
  std::string from;          // paths, each followed by a NUL, then one more NUL
  std::string to;            // the same; a lone NUL for no path
  std::uint16_t flags = 0;   // FOF_* bits
  std::string progressTitle;
};

struct ShellFileNameMapping {
  std::string oldName;
  std::string newName;
};

struct ShellFileOperationOutcome {
  int result = 0;  // the call's return value: 0 for success
  bool anyOperationsAborted = false;
  // The name mappings the shell handed back (already released on the platform side).
  std::vector<ShellFileNameMapping> nameMappings;
};

// The properties a shortcut gets before it is saved under fileName.
struct ShellLinkSpec {
  std::string target;
  std::string arguments;
  std::string description;
  int showCommand = 0;
  std::string fileName;
};

class Shell {
 public:
  virtual ~Shell() = default;

  // Runs the operation with the configuration form's window as owner of the shell's windows.
  virtual ShellFileOperationOutcome runFileOperation(const ShellFileOperationCall& call) = 0;

  // The full form of a path against the process's current directory (260-character buffer); nullopt
  // when the system refuses the path (an empty or overlong one) or its full form does not fit.
  virtual std::optional<std::string> fullPathName(std::string_view path) = 0;
  // The universal (UNC) name of a path on a drive connected to a network share; nullopt otherwise.
  virtual std::optional<std::string> universalName(std::string_view path) = 0;

  // The file-system path of a special folder (CSIDL) as the shell reports it, without any backslash
  // added; nullopt when the shell cannot locate the folder or it has no file-system path.
  virtual std::optional<std::string> specialFolderPath(int csidl) = 0;
  // The temporary-files directory as the system names it; nullopt when it does not fit 300 characters.
  virtual std::optional<std::string> temporaryPath() = 0;
  virtual std::optional<std::string> windowsDirectory() = 0;

  // Makes a shell link object, sets its properties and saves it, replacing an existing file. Throws
  // PlatformError when the object cannot be made or the file name does not fit the conversion buffer
  // (nothing is written then); a refused property or save goes unreported.
  virtual void saveShellLink(const ShellLinkSpec& link) = 0;
  // ShellExecuteA without owner window or working directory; true when the system accepted the start.
  virtual bool shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                            int showCommand) = 0;
  // FindExecutableA: the program associated with a document; "" when there is none.
  virtual std::string findExecutable(std::string_view file, std::string_view directory) = 0;
};

}  // namespace tovrik

// The platform shell over shell32, ole32, mpr and kernel32.
#pragma once

#include "platform/application_window_win32.h"
#include "platform/shell.h"

namespace tovrik {

class Win32Shell final : public Shell {
 public:
  // `owner` gives the window that owns the shell's progress and confirmation windows.
  explicit Win32Shell(OwnerWindowSource owner) : owner_(owner) {}

  ShellFileOperationOutcome runFileOperation(const ShellFileOperationCall& call) override;
  std::optional<std::string> fullPathName(std::string_view path) override;
  std::optional<std::string> universalName(std::string_view path) override;
  std::optional<std::string> specialFolderPath(int csidl) override;
  std::optional<std::string> temporaryPath() override;
  std::optional<std::string> windowsDirectory() override;
  void saveShellLink(const ShellLinkSpec& link) override;
  bool shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                    int showCommand) override;
  std::string findExecutable(std::string_view file, std::string_view directory) override;

 private:
  // The configuration form's window owns the shell's windows; without it, the window with the keyboard
  // focus does.
  HWND ownerWindow() const;

  OwnerWindowSource owner_;
};

}  // namespace tovrik

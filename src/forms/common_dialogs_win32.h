// The open and save dialogs and the folder browser: a command sets their fields and runs them once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace tovrik {

// An open or save dialog of the common dialog library, with its fixed options.
class FileDialog {
 public:
  explicit FileDialog(DWORD options) : options_(options) {}

  std::string title;
  std::string filter;  // NUL-separated pairs ending in a double NUL; empty for none
  std::string initialDir;
  std::string fileName;  // the initial name, then the chosen full path
  std::string defaultExt;

  // Runs the dialog modally, owned by `owner`; true when the user chose a file.
  bool execute(HWND owner, bool save);

 private:
  DWORD options_;
};

class OpenFileDialog final : public FileDialog {
 public:
  OpenFileDialog();
  bool execute(HWND owner) { return FileDialog::execute(owner, false); }
};

class SaveFileDialog final : public FileDialog {
 public:
  SaveFileDialog();
  bool execute(HWND owner) { return FileDialog::execute(owner, true); }
};

// The shell's folder browser, rooted at the desktop, with a status line showing the selected path.
class FolderBrowser final {
 public:
  std::string title;
  std::string directory;  // the initial folder, then the chosen one
  bool newDialogStyle = false;

  // Runs the browser modally, owned by `owner`; true when the user chose a file-system folder.
  bool execute(HWND owner);
};

// The shell library's file version (major in the high 16 bits, minor in the low 16), read once per run;
// 0 when it cannot be read.
std::uint32_t shellLibraryVersion();

}  // namespace tovrik

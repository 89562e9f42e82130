// TMainForm: the program's main window, shown only in configuration mode.
#pragma once

#include <windows.h>

#include <string>

namespace tovrik {

class TMainForm {
 public:
  // The main form's window, created hidden on first use: in command mode it owns the shell's and the
  // dialogs' windows. Commands that show nothing never create it.
  static HWND handle();

  // Shows the configuration form and runs the message loop until it closes.
  static int runConfiguration(HINSTANCE instance, const std::string& returnFilePath);
};

}  // namespace tovrik

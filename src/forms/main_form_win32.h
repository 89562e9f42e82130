// TMainForm: the program's main window, shown only in configuration mode.
#pragma once

#include <windows.h>

#include <string>

namespace tovrik {

class TMainForm {
 public:
  // Shows the configuration form and runs the message loop until it closes.
  static int runConfiguration(HINSTANCE instance, const std::string& returnFilePath);
};

}  // namespace tovrik

// Program entry: reads the return-file path, deletes the old file, then runs configuration mode (no
// parameter) or command mode, and writes the return file.
#include <windows.h>

#include "forms/configuration_form_win32.h"
#include "frontend/command_line.h"
#include "frontend/command_mode.h"
#include "frontend/dispatch.h"
#include "frontend/return_file.h"
#include "frontend/return_file_win32.h"
#include "frontend/services_win32.h"
#include "platform/application_error_win32.h"
#include "settings/settings_store.h"

namespace {

std::string modulePath() {
  char path[261] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path - 1);
  return std::string(path, length);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace tovrik;
  Win32Services services;
  const std::string returnFilePath =
      readSetting(services.registry(), kReturnFileValueName, kDefaultReturnFilePath);
  const std::vector<std::string> parameters = splitCommandLine(GetCommandLineA(), services.ansiCharset());

  if (!keepsPreviousReturnFile(parameters)) deleteReturnFile(returnFilePath);
  if (parameters.size() < 2) return ConfigurationForm::runConfiguration(services, returnFilePath);

  const LineList lines = runCommandMode(parameters, modulePath(), services);
  try {
    writeReturnFile(returnFileWritePath(returnFilePath), renderReturnFile(lines, ConsoleCodePage()));
  } catch (const FileCreateError& error) {
    showApplicationError(error);
    return 1;
  }
  return 0;
}

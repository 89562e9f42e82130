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
#include "platform/ansi_names_win32.h"
#include "platform/application_error_win32.h"

namespace {

// The program's own path as commands may read it: exact, else its short form, else empty.
std::string modulePath() {
  wchar_t path[261] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, 260);
  return tovrik::exactAnsiPath(std::wstring_view(path, length)).value_or(std::string());
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace tovrik;
  Win32Services services;
  const ReturnFilePath returnFilePath = readReturnFilePath(services.registry());
  const std::wstring& returnFile = returnFilePath.location;
  // The command line as Windows keeps it: the ANSI one would already have turned characters outside the
  // code page into look-alikes (a fullwidth quote into a quote, a letter into its unaccented twin).
  const std::optional<std::vector<std::string>> parameters =
      toAnsiParameters(splitCommandLine(GetCommandLineW()), Win32AnsiNames());

  if (!parameters || !keepsPreviousReturnFile(*parameters)) deleteReturnFile(returnFile);
  // Where no one could see the configuration form, command mode answers "SET ERROR=1" in its place.
  if (parameters && parameters->size() < 2 && !noOneCanAnswer(*parameters, services))
    return ConfigurationForm::runConfiguration(services, returnFilePath.stored);

  // Lines are measured as they are added, in the code page they will be written in.
  const ConsoleCodePage codePage;
  const ReturnFileFormat format(codePage);
  const LineList lines =
      parameters ? runCommandMode(*parameters, modulePath(), services, &format) : refuseCommand(services, &format);
  try {
    writeReturnFile(returnFile, format.render(lines));
  } catch (const FileCreateError& error) {
    // The box waits for a person too: where no one can see it, the exit code alone tells the script.
    if (services.windowStation().hasVisibleSurfaces()) showApplicationError(error);
    return 1;
  }
  return 0;
}

// The error box names the error's type, the module and an address in it, then the message.
#include "platform/application_error_win32.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace tovrik {

void showApplicationError(const CommandError& error) {
  char modulePath[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
  const char* moduleName = modulePath;
  for (const char* c = modulePath; *c; c = CharNextA(c))
    if (*c == '\\' || *c == '/') moduleName = c + 1;
  char address[32];
  std::snprintf(address, sizeof address, "%0*llX", static_cast<int>(sizeof(void*) * 2),
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(&showApplicationError)));
  const std::string text = std::string("Exception ") + error.typeName() + " dans le module " + moduleName +
                           " dans " + address + ".\n" + error.what();
  MessageBoxA(nullptr, text.c_str(), "Erreur d'application", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace tovrik

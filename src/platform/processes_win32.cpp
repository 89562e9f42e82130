// The process snapshot (its functions looked up in kernel32 at run time), termination, Sleep, and
// ShellExecuteA with the application window as owner.
#include "platform/processes_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstring>
#include <memory>

#include "platform/resource_owners_win32.h"
#include "platform/ansi_names_win32.h"
#include "platform/application_window_win32.h"
#include "platform/com_win32.h"

namespace tovrik {
namespace {

#ifndef _WIN64
static_assert(sizeof(PROCESSENTRY32W) == 556, "the UTF-16 process entry");
#endif

using CreateSnapshot = HANDLE(WINAPI*)(DWORD, DWORD);
using WalkSnapshot = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32W*);

struct SnapshotFunctions {
  CreateSnapshot create = nullptr;
  WalkSnapshot first = nullptr;
  WalkSnapshot next = nullptr;
};

template <typename Function>
Function kernelFunction(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// Looked up the first time they are needed: systems without tool help have none of them.
const SnapshotFunctions& snapshotFunctions() {
  static const SnapshotFunctions functions{kernelFunction<CreateSnapshot>("CreateToolhelp32Snapshot"),
                                           kernelFunction<WalkSnapshot>("Process32FirstW"),
                                           kernelFunction<WalkSnapshot>("Process32NextW")};
  return functions;
}

}  // namespace

std::optional<std::vector<ProcessEntry>> Win32Processes::runningProcesses() {
  const SnapshotFunctions& functions = snapshotFunctions();
  if (!functions.create || !functions.first || !functions.next) return std::nullopt;
  const HANDLE raw = functions.create(TH32CS_SNAPPROCESS, 0);
  if (raw == INVALID_HANDLE_VALUE) return std::nullopt;
  const UniqueHandle snapshot(raw);
  std::vector<ProcessEntry> entries;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  const Win32AnsiNames names;
  for (BOOL more = functions.first(raw, &entry); more; more = functions.next(raw, &entry)) {
    // A program name the ANSI code page cannot spell is left out: no argument can name it, and its
    // look-alike (an omega read as "O") must not answer for it.
    const std::wstring_view exeFile(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH));
    if (std::optional<std::string> name = names.exact(exeFile))
      entries.push_back({entry.th32ProcessID, std::move(*name)});
    entry.dwSize = sizeof entry;
  }
  return entries;
}

std::uint32_t Win32Processes::currentProcessId() { return GetCurrentProcessId(); }

bool Win32Processes::terminate(std::uint32_t processId) {
  const UniqueHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
  return process && TerminateProcess(process.get(), 0);
}

void Win32Processes::sleep(std::uint32_t milliseconds) { Sleep(milliseconds); }

std::uint32_t Win32Processes::shellExecute(const ShellStart& start) {
  ensureComInitialized();
  const HINSTANCE result =
      ShellExecuteA(applicationWindow(), start.verb.c_str(), start.file.c_str(), start.parameters.c_str(),
                    start.directory ? start.directory->c_str() : nullptr, start.showCommand);
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(result));
}

}  // namespace tovrik

// Runs command lines in a window station of the probe's own, as the task scheduler and services run
// programs: a station other than the interactive one has no visible display surfaces, so no window shown
// there can be seen or answered.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "probe_support.h"

namespace probe {
namespace {

struct Started {
  std::size_t index;
  HANDLE process;
  DWORD startedAt;
};

// The station's handle, closed with the probe; its desktop "Default" is made while the probe's process
// belongs to it, since a desktop is made in the calling process's station.
HWINSTA makeHiddenStation(const std::string& name) {
  const HWINSTA station = CreateWindowStationA(name.c_str(), 0, WINSTA_ALL_ACCESS, nullptr);
  if (!station) fail("nostation " + std::to_string(GetLastError()));
  const HWINSTA own = GetProcessWindowStation();
  if (!SetProcessWindowStation(station)) fail("nosetstation " + std::to_string(GetLastError()));
  const HDESK desktop = CreateDesktopA("Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  const DWORD desktopError = GetLastError();
  SetProcessWindowStation(own);
  if (!desktop) fail("nodesktop " + std::to_string(desktopError));
  return station;
}

// "visible 0|1" as the station's flags say, or "visible ? ERROR" when they cannot be read.
void printVisibility(HWINSTA station) {
  USEROBJECTFLAGS flags{};
  DWORD needed = 0;
  if (GetUserObjectInformationA(station, UOI_FLAGS, &flags, sizeof flags, &needed))
    std::printf("visible %d\n", (flags.dwFlags & WSF_VISIBLE) ? 1 : 0);
  else
    std::printf("visible ? %lu\n", GetLastError());
}

// The time left of a bound counted from `since`, 0 once it is past.
DWORD remaining(DWORD since, DWORD timeoutMs) {
  const DWORD spent = GetTickCount() - since;
  return spent >= timeoutMs ? 0 : timeoutMs - spent;
}

// "ended INDEX CODE MILLISECONDS", or "timeout INDEX" for a run ended at its bound.
void reportEnd(const Started& run, DWORD timeoutMs) {
  if (WaitForSingleObject(run.process, remaining(run.startedAt, timeoutMs)) != WAIT_OBJECT_0) {
    TerminateProcess(run.process, 255);
    WaitForSingleObject(run.process, 5000);
    std::printf("timeout %zu\n", run.index);
  } else {
    DWORD code = 0;
    GetExitCodeProcess(run.process, &code);
    std::printf("ended %zu %lu %lu\n", run.index, static_cast<unsigned long>(code),
                static_cast<unsigned long>(GetTickCount() - run.startedAt));
  }
  std::fflush(stdout);
  CloseHandle(run.process);
}

}  // namespace

// Makes a window station without visible surfaces and runs each command line on its desktop, in turn,
// each within TIMEOUTMS. A command line starting with "&" is started without waiting (a window that stays
// open until a later line closes it) and reported after the others. Prints the station's visibility, then
// one line per command line.
int runInHiddenStation(const Args& a) {
  const DWORD timeoutMs = number(a[0]);
  const std::string name = "tovrik-unattended-" + std::to_string(GetCurrentProcessId());
  const HWINSTA station = makeHiddenStation(name);
  printVisibility(station);
  std::string desktop = name + "\\Default";
  std::vector<Started> background;
  for (std::size_t i = 1; i < a.size(); ++i) {
    const bool waits = a[i].empty() || a[i][0] != '&';
    std::string commandLine = waits ? a[i] : a[i].substr(1);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktop.data();
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
      std::printf("createprocess %zu %lu\n", i, GetLastError());
      continue;
    }
    CloseHandle(process.hThread);
    const Started run{i, process.hProcess, GetTickCount()};
    if (waits)
      reportEnd(run, timeoutMs);
    else
      background.push_back(run);
  }
  for (const Started& run : background) reportEnd(run, timeoutMs);
  CloseWindowStation(station);
  return 0;
}

}  // namespace probe

// The hostile-argument sweep's driver: runs the program once per command line of a list, all from this
// one process (a Wine start per run would cost more than the runs), and records how each run ended and
// the return file it left.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "probe_support.h"

namespace {

std::string bytesOfHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<char>(std::strtoul(hex.substr(i, 2).c_str(), nullptr, 16)));
  return bytes;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return true;
}

// The return file's shape: two REM lines, then SET NAME=value lines, every line ended by CR LF and no
// CR or LF anywhere else. (The tests check the values' escaping themselves.)
bool wellFormed(const std::string& file) {
  std::size_t start = 0;
  int line = 0;
  while (start < file.size()) {
    const std::size_t end = file.find("\r\n", start);
    if (end == std::string::npos) return false;
    const std::string text = file.substr(start, end - start);
    if (text.find_first_of("\r\n") != std::string::npos) return false;
    if (line < 2 ? text.rfind("REM - ", 0) != 0 : text.rfind("SET ", 0) != 0 || text.find('=') == std::string::npos)
      return false;
    ++line;
    start = end + 2;
  }
  return line >= 2;
}

// "sweep LIST RESULTS RETURNFILE TIMEOUTMS": LIST holds one command line per line, in hexadecimal. For
// each, the return file is deleted, the command line run, and one line appended to RESULTS:
// "N exit CODE wellformed|malformed|nofile HEX-OF-FILE|-", or "N timeout" for a run killed at its time
// limit, or "N createprocess ERROR".
int sweep(const std::string& listPath, const std::string& resultsPath, const std::string& returnFile,
          DWORD timeoutMs) {
  std::string list;
  if (!readWholeFile(listPath, list)) {
    std::puts("nolist");
    return 1;
  }
  FILE* results = std::fopen(resultsPath.c_str(), "wb");
  if (!results) {
    std::puts("noresults");
    return 1;
  }
  std::size_t index = 0, start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\n', start);
    if (end == std::string::npos) end = list.size();
    std::string hex = list.substr(start, end - start);
    start = end + 1;
    if (!hex.empty() && hex.back() == '\r') hex.pop_back();
    if (hex.empty()) continue;
    std::string commandLine = bytesOfHex(hex);
    DeleteFileA(returnFile.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
      std::fprintf(results, "%zu createprocess %lu\n", index++, static_cast<unsigned long>(GetLastError()));
      continue;
    }
    CloseHandle(process.hThread);
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
      TerminateProcess(process.hProcess, 255);
      WaitForSingleObject(process.hProcess, 5000);
      CloseHandle(process.hProcess);
      std::fprintf(results, "%zu timeout\n", index++);
      std::fflush(results);
      continue;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    std::string file;
    if (!readWholeFile(returnFile, file)) {
      std::fprintf(results, "%zu exit %lu nofile -\n", index++, static_cast<unsigned long>(code));
    } else {
      std::fprintf(results, "%zu exit %lu %s %s\n", index++, static_cast<unsigned long>(code),
                   wellFormed(file) ? "wellformed" : "malformed", probe::hexOrDash(file).c_str());
    }
    std::fflush(results);
  }
  std::fclose(results);
  std::printf("swept %zu\n", index);
  return 0;
}

}  // namespace

// The sweep's verb; -1 when the verb is not it.
int runSweepProbe(const std::vector<std::string>& args) {
  if (args.size() >= 5 && args[0] == "sweep")
    return sweep(args[1], args[2], args[3], std::strtoul(args[4].c_str(), nullptr, 10));
  return -1;
}

// The hostile-argument sweep's driver: runs the program once per command line of a list, all from this
// one process (a Wine start per run would cost more than the runs), and records how each run ended and
// the return file it left.
#include <windows.h>

#include <cstdio>
#include <string>

#include "probe_support.h"

namespace probe {
namespace {

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

// A line after the header: SET NAME=value (a password's starting with "@"), or one of the lines around
// the version of the SET lines for delayed expansion.
bool bodyLine(const std::string& text) {
  if (text == "@if \"!!\"==\"\" goto tovrik_delayed_expansion" || text == "@goto :eof" ||
      text == ":tovrik_delayed_expansion")
    return true;
  const std::size_t start = text.rfind("@", 0) == 0 ? 1 : 0;
  return text.compare(start, 4, "SET ") == 0 && text.find('=') != std::string::npos;
}

// The return file's shape: two REM lines, then body lines, every line ended by CR LF and no CR or LF
// anywhere else. (The tests check the values' escaping and the two versions' order themselves.)
bool wellFormed(const std::string& file) {
  std::size_t start = 0;
  int line = 0;
  while (start < file.size()) {
    const std::size_t end = file.find("\r\n", start);
    if (end == std::string::npos) return false;
    const std::string text = file.substr(start, end - start);
    if (text.find_first_of("\r\n") != std::string::npos) return false;
    if (line < 2 ? text.rfind("REM - ", 0) != 0 : !bodyLine(text)) return false;
    ++line;
    start = end + 2;
  }
  return line >= 2;
}

}  // namespace

// LIST holds one command line per line, in hexadecimal. For each, the return file is deleted, the command
// line run, and one line appended to RESULTS: "N exit CODE wellformed|malformed|nofile HEX-OF-FILE|-", or
// "N timeout" for a run killed at its time limit, or "N createprocess ERROR".
int sweep(const Args& a) {
  const std::string& returnFile = a[2];
  std::string list;
  if (!readWholeFile(a[0], list)) fail("nolist");
  FILE* results = std::fopen(a[1].c_str(), "wb");
  if (!results) fail("noresults");
  std::size_t index = 0, start = 0;
  while (start < list.size()) {
    std::size_t end = list.find('\n', start);
    if (end == std::string::npos) end = list.size();
    std::string hex = list.substr(start, end - start);
    start = end + 1;
    if (!hex.empty() && hex.back() == '\r') hex.pop_back();
    if (hex.empty()) continue;
    DeleteFileA(returnFile.c_str());
    const Ended ended = runCommandLine(bytesOfHex(hex), 0, number(a[3]));
    std::string file;
    if (ended.how == Ended::kNotStarted)
      std::fprintf(results, "%zu createprocess %lu\n", index++, static_cast<unsigned long>(ended.codeOrError));
    else if (ended.how == Ended::kTimedOut)
      std::fprintf(results, "%zu timeout\n", index++);
    else if (!readWholeFile(returnFile, file))
      std::fprintf(results, "%zu exit %lu nofile -\n", index++, static_cast<unsigned long>(ended.codeOrError));
    else
      std::fprintf(results, "%zu exit %lu %s %s\n", index++, static_cast<unsigned long>(ended.codeOrError),
                   wellFormed(file) ? "wellformed" : "malformed", hexOrDash(file).c_str());
    std::fflush(results);
  }
  std::fclose(results);
  std::printf("swept %zu\n", index);
  return 0;
}

}  // namespace probe

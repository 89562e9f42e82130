// Deleting, writing and reporting the return file on Windows.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "command/error.h"
#include "frontend/return_file.h"
#include "platform/registry.h"

namespace tovrik {

// Where the return file goes, in UTF-16: the settings store's value as the registry holds it, so that a
// folder whose name lies outside the ANSI code page (a user profile, say) is written to, never the
// look-alike that the ANSI reading names. `storedPath` is the value as read in the ANSI code page; the
// empty path falls back as returnFileWritePath says.
std::wstring returnFileLocation(std::string_view storedPath);

// The return file's path, read once at start-up: `stored` as the settings store's ANSI reading gives it
// (what the configuration form shows), `location` where the file goes, as returnFileLocation says.
struct ReturnFilePath {
  std::string stored;
  std::wstring location;
};

// Reads RFile by the settings store's rules (the default stored when the value is missing, the default
// used on any registry failure); a string value takes one reading of the key.
ReturnFilePath readReturnFilePath(Registry& registry);

// Deletes the file at path if a file (not a directory) is there; failures are ignored.
void deleteReturnFile(const std::wstring& path);

// Writes the whole file beside its target and moves it into place in one step, so a reader never
// sees a torn file and the last complete writer wins. Where no file can be made beside the target, the
// target is written directly (created anew or truncated). Raises FileCreateError.
void writeReturnFile(const std::wstring& path, std::string_view bytes);

// cmd.exe reads a batch file in its console's code page, not in the ANSI one: the code page of the
// console this process runs in or was started from, else the OEM code page. ASCII is the same bytes in
// all of them and holds no lead byte, so the console is asked only once a text holds a byte above 127.
class ConsoleCodePage final : public ScriptCodePage {
 public:
  bool isLeadByte(unsigned char byte) const override {
    return byte >= 0x80 && IsDBCSLeadByteEx(codePage(), byte) != 0;
  }
  std::string fromAnsi(std::string_view ansi) const override;
  UINT codePage() const;

 private:
  mutable UINT codePage_ = 0;  // 0 until the console has been asked
};

}  // namespace tovrik

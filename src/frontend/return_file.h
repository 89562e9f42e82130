// The bytes of the return file: header remarks and SET lines, each ended by CR LF, in the code page
// that the calling cmd.exe reads batch files with.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "command/line_list.h"
#include "platform/ansi_charset.h"
#include "platform/regional_settings.h"

namespace tovrik {

inline constexpr std::string_view kDefaultReturnFilePath = "C:\\Tovrik.bat";
inline constexpr std::string_view kEmptyPathFallback = "c:\\Tovrik.bat";
inline constexpr std::string_view kCopyrightNotice = "Copyright (c) 2026 Orlenta. All rights reserved.";

// The code page in which cmd.exe will read the file: converts from the ANSI code page and steps its
// characters.
class ScriptCodePage : public AnsiCharset {
 public:
  virtual std::string fromAnsi(std::string_view ansi) const = 0;
};

// Appends the two header remarks, dated `now`.
void addHeaderLines(LineList& lines, const DateTime& now, const RegionalSettings& regional);

// cmd.exe reads at most 8,191 characters of a batch line, its CR included: every line of the file, as
// written, is at most this long before its CR LF.
inline constexpr std::size_t kLongestReturnLine = 8190;
// Where the lines written for delayed expansion start. No other line of the file starts with a colon.
inline constexpr std::string_view kDelayedExpansionLabel = "tovrik_delayed_expansion";

// How the script's cmd.exe expands the file: delayed expansion (setlocal EnableDelayedExpansion, which a
// CALLed file inherits) also reads "!" and, on a line that holds one, carets once more.
enum class Expansion { plain, delayed };

// Writes a value so that, once the script CALLs the file, the variable holds exactly the value and
// nothing in it is expanded, executed or redirected: "%" doubles, ^ & | < > outside a double-quoted
// stretch take a caret, a line break (CR LF, CR or LF) and Ctrl-Z (which cmd.exe reads as a line end)
// become one space, NUL is dropped. For delayed expansion, a value that holds "!" first has every "^"
// doubled and every "!" preceded by a caret, for the second pass to remove.
std::string escapeBatchValue(std::string_view value, const AnsiCharset& charset,
                             Expansion expansion = Expansion::plain);

// The file's bytes in the code page cmd.exe reads it in. When a value holds "!", the SET lines come
// twice: once as cmd.exe reads them without delayed expansion and once, after a jump that only delayed
// expansion takes, as it reads them with it. Password lines start with "@", so ECHO on never shows them.
class ReturnFileFormat final : public LineLimit {
 public:
  explicit ReturnFileFormat(const ScriptCodePage& codePage) : codePage_(codePage) {}
  // Every version of the line is at most kLongestReturnLine bytes.
  bool fits(const ReturnLine& line) const override;
  // A line that does not fit is never written: it and any after it are left out, and "SET ERROR=1"
  // ends the file.
  std::string render(const LineList& lines) const;

 private:
  // A line as written: the version for the usual pass, and for delayed expansion when it differs (a
  // value that holds "!").
  struct Written {
    std::string plain;
    std::optional<std::string> delayed;
    bool fits() const;
  };
  Written write(const ReturnLine& line) const;

  const ScriptCodePage& codePage_;
};

std::string renderReturnFile(const LineList& lines, const ScriptCodePage& codePage);

// The path the file is written to: the stored one, or the fallback when it is empty.
std::string returnFileWritePath(std::string_view storedPath);

}  // namespace tovrik

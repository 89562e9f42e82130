// The bytes of the return file: header remarks and SET lines, each ended by CR LF, in the code page
// that the calling cmd.exe reads batch files with.
#pragma once

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

// Writes a value so that, once the script CALLs the file, the variable holds exactly the value and
// nothing in it is expanded, executed or redirected: "%" doubles, ^ & | < > outside a double-quoted
// stretch take a caret, a line break (CR LF, CR or LF) becomes one space, NUL is dropped.
std::string escapeBatchValue(std::string_view value, const AnsiCharset& charset);

std::string renderReturnFile(const LineList& lines, const ScriptCodePage& codePage);

// The path the file is written to: the stored one, or the fallback when it is empty.
std::string returnFileWritePath(std::string_view storedPath);

}  // namespace tovrik

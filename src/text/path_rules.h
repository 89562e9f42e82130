// Path splitting shared by the path commands and every command that reports a path's parts: backslash and
// colon delimit, the last full stop starts the extension, and only whole characters of the ANSI code page
// count (a trail byte 0x5C is not a backslash).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/ansi_charset.h"

namespace tovrik {

// Index of the last single-byte character of the path that is one of `delimiters`; npos when none.
std::size_t lastDelimiter(std::string_view path, std::string_view delimiters, const AnsiCharset& charset);

// Up to and including the last backslash or colon: "C:\dir\file.txt" -> "C:\dir\".
std::string extractFilePath(std::string_view path, const AnsiCharset& charset);
// After the last backslash or colon: "C:\dir\file.txt" -> "file.txt".
std::string extractFileName(std::string_view path, const AnsiCharset& charset);
// From the last full stop when no backslash or colon follows it: "archive.tar.gz" -> ".gz".
std::string extractFileExt(std::string_view path, const AnsiCharset& charset);
// The directory without its trailing backslash, kept after a drive colon or a second backslash:
// "C:\dir\file.txt" -> "C:\dir", "C:\file.txt" -> "C:\".
std::string extractFileDir(std::string_view path, const AnsiCharset& charset);
// "X:" or "\\server\share"; empty otherwise.
std::string extractFileDrive(std::string_view path, const AnsiCharset& charset);
// The file name cut before the first occurrence of its extension: "a.txt.txt" -> "a", "README" -> "".
std::string extractFileNameWithoutExt(std::string_view path, const AnsiCharset& charset);

// Whether the path holds '*' or '?', which no file name holds (neither can be a trail byte).
inline bool containsWildcard(std::string_view path) { return path.find_first_of("*?") != std::string_view::npos; }

// Whether the last character is a backslash (not the trail byte 0x5C of a double-byte character).
bool endsWithBackslash(std::string_view path, const AnsiCharset& charset);

// Add or remove one backslash, looking only at the last character.
std::string includeTrailingBackslash(std::string_view path, const AnsiCharset& charset);
std::string excludeTrailingBackslash(std::string_view path, const AnsiCharset& charset);

}  // namespace tovrik

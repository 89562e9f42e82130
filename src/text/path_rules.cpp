// Path splitting: every delimiter is found by stepping whole characters, so a double-byte character whose
// second byte is 0x5C or 0x3A never splits a path.
#include "text/path_rules.h"

namespace tovrik {

namespace {

constexpr std::string_view kPathDelimiters = "\\:";
constexpr std::string_view kExtensionDelimiters = ".\\:";

bool isSingleByteCharacterAt(std::string_view path, std::size_t index, const AnsiCharset& charset) {
  std::size_t pos = 0;
  while (pos < index) pos = charset.next(path, pos);
  return pos == index && index < path.size() && charset.next(path, index) == index + 1;
}

bool isDelimiterAt(std::string_view path, std::size_t index, std::string_view delimiters,
                   const AnsiCharset& charset) {
  return index < path.size() && delimiters.find(path[index]) != std::string_view::npos &&
         isSingleByteCharacterAt(path, index, charset);
}

// "\\server\share" of a network path (which starts with two backslashes); the backslash that may follow
// the share is left out, and a path that stops early gives what it has.
std::string networkDrive(std::string_view path, const AnsiCharset& charset) {
  std::size_t pos = 2;
  int backslashes = 0;
  while (pos + 1 < path.size() && backslashes < 2) {
    if (path[pos] == '\\' && charset.next(path, pos) == pos + 1) ++backslashes;
    if (backslashes < 2) pos = charset.next(path, pos);
  }
  if (pos < path.size() && path[pos] == '\\') return std::string(path.substr(0, pos));
  return std::string(path.substr(0, pos + 1));
}

}  // namespace

bool endsWithBackslash(std::string_view path, const AnsiCharset& charset) {
  return !path.empty() && isDelimiterAt(path, path.size() - 1, "\\", charset);
}

std::size_t lastDelimiter(std::string_view path, std::string_view delimiters, const AnsiCharset& charset) {
  std::size_t last = std::string_view::npos;
  for (std::size_t pos = 0; pos < path.size();) {
    const std::size_t next = charset.next(path, pos);
    if (next == pos + 1 && delimiters.find(path[pos]) != std::string_view::npos) last = pos;
    pos = next;
  }
  return last;
}

std::string extractFilePath(std::string_view path, const AnsiCharset& charset) {
  const std::size_t last = lastDelimiter(path, kPathDelimiters, charset);
  return last == std::string_view::npos ? std::string() : std::string(path.substr(0, last + 1));
}

std::string extractFileName(std::string_view path, const AnsiCharset& charset) {
  const std::size_t last = lastDelimiter(path, kPathDelimiters, charset);
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string extractFileExt(std::string_view path, const AnsiCharset& charset) {
  const std::size_t last = lastDelimiter(path, kExtensionDelimiters, charset);
  if (last == std::string_view::npos || path[last] != '.') return {};
  return std::string(path.substr(last));
}

std::string extractFileDir(std::string_view path, const AnsiCharset& charset) {
  const std::size_t last = lastDelimiter(path, kPathDelimiters, charset);
  if (last == std::string_view::npos) return {};
  std::size_t length = last + 1;
  if (last > 0 && path[last] == '\\' && !isDelimiterAt(path, last - 1, kPathDelimiters, charset)) length = last;
  return std::string(path.substr(0, length));
}

std::string extractFileDrive(std::string_view path, const AnsiCharset& charset) {
  if (path.size() >= 2 && charset.next(path, 0) == 1 && path[1] == ':') return std::string(path.substr(0, 2));
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') return networkDrive(path, charset);
  return {};
}

std::string extractFileNameWithoutExt(std::string_view path, const AnsiCharset& charset) {
  const std::string name = extractFileName(path, charset);
  const std::string extension = extractFileExt(name, charset);
  if (extension.empty()) return {};
  for (std::size_t pos = 0; pos < name.size(); pos = charset.next(name, pos))
    if (name.compare(pos, extension.size(), extension) == 0) return name.substr(0, pos);
  return {};
}

std::string includeTrailingBackslash(std::string_view path, const AnsiCharset& charset) {
  std::string result(path);
  if (!endsWithBackslash(path, charset)) result += '\\';
  return result;
}

std::string excludeTrailingBackslash(std::string_view path, const AnsiCharset& charset) {
  return std::string(endsWithBackslash(path, charset) ? path.substr(0, path.size() - 1) : path);
}

}  // namespace tovrik

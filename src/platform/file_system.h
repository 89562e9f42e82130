// The file-system operations the file commands ask of the platform: searches, attributes, copies, moves,
// directories, the current directory, reading a file in chunks, and INI profile strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tovrik {

inline constexpr std::uint32_t kDirectoryAttribute = 0x10;

// The first entry that a directory search finds.
struct FoundEntry {
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;  // all 64 bits; a directory's entry has size 0
  // The last-write time converted to local time, in 100-ns ticks since 1601-01-01; nullopt when the
  // system could not convert it.
  std::optional<std::uint64_t> lastWriteLocalTime;
};

// The bytes of an open file, front to back.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Fills up to `capacity` bytes and returns how many; 0 only at the end. Raises PlatformError when the
  // read fails.
  virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
};

// Paths are ANSI strings, passed as given: relative ones resolve against the current directory.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Empty when the system does not report it.
  virtual std::string currentDirectory() = 0;
  virtual bool setCurrentDirectory(std::string_view path) = 0;
  virtual bool copyFile(std::string_view existing, std::string_view target, bool failIfExists) = 0;
  virtual bool moveFile(std::string_view existing, std::string_view target) = 0;
  virtual bool createDirectory(std::string_view path) = 0;
  // nullopt when the path names nothing (wildcards name nothing).
  virtual std::optional<std::uint32_t> attributes(std::string_view path) = 0;
  // The first entry matching a path that may hold wildcards; the search is closed before returning.
  virtual std::optional<FoundEntry> findFirst(std::string_view pattern) = 0;
  // Opens a file for reading while other processes may read it but not write it. Raises PlatformError
  // when it cannot be opened (missing, a directory, held open for writing elsewhere, refused).
  virtual std::unique_ptr<ByteSource> openForReading(std::string_view path) = 0;

  // INI files; a file name without a path lives in the Windows directory. Reading gives at most 2,047
  // characters, or the fallback when the file, section or key is missing.
  virtual std::string readProfileString(std::string_view file, std::string_view section, std::string_view key,
                                        std::string_view fallback) = 0;
  // False when the system refuses the write.
  virtual bool writeProfileString(std::string_view file, std::string_view section, std::string_view key,
                                  std::string_view value) = 0;
  // Makes the system write out any change to the file that it still holds in its cache.
  virtual void flushProfile(std::string_view file) = 0;

  // The short (8.3) form of an existing path as the file system reports it; nullopt when the path does
  // not exist or cannot be converted.
  virtual std::optional<std::string> shortPathName(std::string_view path) = 0;
};

inline bool isExistingDirectory(FileSystem& fileSystem, std::string_view path) {
  const std::optional<std::uint32_t> found = fileSystem.attributes(path);
  return found && (*found & kDirectoryAttribute);
}

}  // namespace tovrik

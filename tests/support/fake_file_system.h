// An in-memory file system for host tests: case-insensitive paths, wildcard searches, files that refuse
// to open, INI values, and a log of every operation that would change something.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "command/ascii.h"
#include "command/error.h"
#include "platform/file_system.h"

namespace tovrik::fakes {

// 100-ns ticks since 1601-01-01 of a calendar time (proleptic Gregorian), for building test entries.
inline std::uint64_t fileTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                                int millisecond = 0) {
  // Days since 1970-01-01 (H. Hinnant's days_from_civil).
  const int y = year - (month <= 2 ? 1 : 0);
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const std::int64_t unixDays = static_cast<std::int64_t>(era) * 146097 + doe - 719468;
  const std::int64_t days = unixDays + 134774;  // 1601-01-01 to 1970-01-01
  const std::int64_t seconds = days * 86400 + hour * 3600 + minute * 60 + second;
  return static_cast<std::uint64_t>(seconds) * 10000000u + static_cast<std::uint64_t>(millisecond) * 10000u;
}

class FakeFileSystem final : public FileSystem {
 public:
  struct Entry {
    bool isDirectory = false;
    std::string content;
    std::optional<std::uint64_t> size;  // when set, what searches report instead of the content's size
    std::optional<std::uint64_t> lastWriteLocalTime = fileTimeOf(2026, 12, 7, 10, 15, 37, 250);
    bool refusesToOpen = false;  // as a file another process holds open for writing
  };

  std::map<std::string, Entry> entries;  // by key(): folded, without trailing backslash
  std::string current = "C:\\";
  std::vector<std::string> calls;  // "copy A B keep|replace", "move A B", "mkdir P", "chdir P", in order
  std::map<std::string, std::string> shortNames;  // existing paths and their short forms
  std::set<std::string> refusedDirectories;  // keys whose creation fails
  std::uint64_t bytesRead = 0;
  std::map<std::string, std::string> profileValues;  // "file|section|key" folded -> value
  std::vector<std::string> profileCalls;                // "read F", "write F", "flush F", in order
  bool refuseProfileWrites = false;

  FakeFileSystem() { entries[key("C:\\")].isDirectory = true; }

  static std::string key(std::string_view path) {
    std::string folded = lowerAscii(path);
    while (!folded.empty() && folded.back() == '\\') folded.pop_back();
    return folded;
  }

  Entry& addFile(std::string_view path, std::string content = {}) {
    Entry& entry = entries[key(path)];
    entry = Entry{};
    entry.content = std::move(content);
    return entry;
  }
  Entry& addDirectory(std::string_view path) {
    Entry& entry = entries[key(path)];
    entry = Entry{};
    entry.isDirectory = true;
    return entry;
  }
  const Entry* find(std::string_view path) const {
    const auto found = entries.find(key(path));
    return found == entries.end() ? nullptr : &found->second;
  }

  std::string currentDirectory() override { return current; }
  bool setCurrentDirectory(std::string_view path) override {
    calls.push_back("chdir " + std::string(path));
    const Entry* entry = find(path);
    if (!entry || !entry->isDirectory) return false;
    current = std::string(path);
    return true;
  }
  bool copyFile(std::string_view existing, std::string_view target, bool failIfExists) override {
    calls.push_back("copy " + std::string(existing) + " " + std::string(target) + (failIfExists ? " keep" : " replace"));
    const Entry* source = find(existing);
    const Entry* destination = find(target);
    if (!source || source->isDirectory || hasWildcard(existing) || hasWildcard(target)) return false;
    if (destination && (failIfExists || destination->isDirectory)) return false;
    const Entry copy = *source;
    entries[key(target)] = copy;
    return true;
  }
  bool moveFile(std::string_view existing, std::string_view target) override {
    calls.push_back("move " + std::string(existing) + " " + std::string(target));
    if (!find(existing) || find(target) || hasWildcard(target)) return false;
    const Entry moved = *find(existing);
    entries.erase(key(existing));
    entries[key(target)] = moved;
    return true;
  }
  bool createDirectory(std::string_view path) override {
    calls.push_back("mkdir " + std::string(path));
    const std::string name = key(path);
    if (refusedDirectories.count(name) || entries.count(name) || hasWildcard(path)) return false;
    const std::size_t slash = name.rfind('\\');
    if (slash == std::string::npos) return false;
    const Entry* parent = find(name.substr(0, slash));
    if (!parent || !parent->isDirectory) return false;
    entries[name].isDirectory = true;
    return true;
  }
  std::optional<std::uint32_t> attributes(std::string_view path) override {
    if (hasWildcard(path)) return std::nullopt;
    const Entry* entry = find(path);
    if (!entry || (!entry->isDirectory && !path.empty() && path.back() == '\\')) return std::nullopt;
    return entry->isDirectory ? kDirectoryAttribute : 0x20u;
  }
  std::optional<FoundEntry> findFirst(std::string_view pattern) override {
    if (pattern.empty() || pattern.back() == '\\') return std::nullopt;
    const std::string wanted = key(pattern);
    for (const auto& [name, entry] : entries)
      if (matches(wanted, name)) {
        FoundEntry found;
        found.attributes = entry.isDirectory ? kDirectoryAttribute : 0x20u;
        found.size = entry.isDirectory ? 0 : entry.size.value_or(entry.content.size());
        found.lastWriteLocalTime = entry.lastWriteLocalTime;
        return found;
      }
    return std::nullopt;
  }
  std::unique_ptr<ByteSource> openForReading(std::string_view path) override {
    const Entry* entry = hasWildcard(path) ? nullptr : find(path);
    if (!entry || entry->isDirectory || entry->refusesToOpen)
      throw PlatformError("cannot open " + std::string(path));
    return std::make_unique<Source>(entry->content, bytesRead);
  }
  std::string readProfileString(std::string_view file, std::string_view section, std::string_view name,
                                std::string_view fallback) override {
    profileCalls.push_back("read " + std::string(file));
    const auto found = profileValues.find(profileKey(file, section, name));
    const std::string value = found == profileValues.end() ? std::string(fallback) : found->second;
    return value.substr(0, 2047);
  }
  bool writeProfileString(std::string_view file, std::string_view section, std::string_view name,
                          std::string_view value) override {
    profileCalls.push_back("write " + std::string(file));
    if (refuseProfileWrites) return false;
    profileValues[profileKey(file, section, name)] = std::string(value);
    return true;
  }
  void flushProfile(std::string_view file) override { profileCalls.push_back("flush " + std::string(file)); }
  std::optional<std::string> shortPathName(std::string_view path) override {
    const auto found = shortNames.find(std::string(path));
    if (found == shortNames.end()) return std::nullopt;
    return found->second;
  }

  static std::string profileKey(std::string_view file, std::string_view section, std::string_view name) {
    return key(file) + "|" + key(section) + "|" + key(name);
  }

 private:
  class Source final : public ByteSource {
   public:
    Source(const std::string& content, std::uint64_t& counter) : content_(content), counter_(counter) {}
    std::size_t read(char* buffer, std::size_t capacity) override {
      const std::size_t count = std::min(capacity, content_.size() - position_);
      content_.copy(buffer, count, position_);
      position_ += count;
      counter_ += count;
      return count;
    }

   private:
    const std::string& content_;
    std::uint64_t& counter_;
    std::size_t position_ = 0;
  };

  static bool hasWildcard(std::string_view path) { return path.find_first_of("*?") != std::string_view::npos; }

  // "*" and "?" within one path component, as a directory search matches names.
  static bool matches(std::string_view pattern, std::string_view name) {
    if (pattern.empty()) return name.empty();
    if (pattern[0] == '*') {
      for (std::size_t skip = 0;; ++skip) {
        if (matches(pattern.substr(1), name.substr(skip))) return true;
        if (skip >= name.size() || name[skip] == '\\') return false;
      }
    }
    if (name.empty()) return false;
    if (pattern[0] == '?' ? name[0] == '\\' : pattern[0] != name[0]) return false;
    return matches(pattern.substr(1), name.substr(1));
  }
};

}  // namespace tovrik::fakes

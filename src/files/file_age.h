// The file-age test shared by filedate, fileexists and the text-file commands, and the DOS date-time it
// yields: local time at whole even seconds, years 1980 to 2107.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/file_system.h"
#include "platform/regional_settings.h"

namespace tovrik {

// A local time in 100-ns ticks since 1601-01-01 as a DOS date-time (bits 25-31 year - 1980, 21-24 month,
// 16-20 day, 11-15 hour, 5-10 minute, 0-4 seconds / 2): odd seconds and fractions drop; nullopt outside
// the years 1980 to 2107.
std::optional<std::uint32_t> convertToDosDateTime(std::uint64_t localFileTime);

// The date and time a DOS date-time stands for, with its day of the week and 0 milliseconds.
DateTime decodeDosDateTime(std::uint32_t dosDateTime);

// The DOS date-time of the first entry matching `path` (wildcards allowed), when that entry is a file
// whose local last-write time the DOS range holds; nullopt otherwise (no match, a directory).
std::optional<std::uint32_t> readFileAge(FileSystem& fileSystem, std::string_view path);

}  // namespace tovrik

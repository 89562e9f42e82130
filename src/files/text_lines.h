// Splitting a text file into lines while reading it in chunks: CR LF, a lone CR and a lone LF each end a
// line, LF CR ends two, a final line end adds no empty line after it, and a NUL byte ends the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tovrik {

// Large enough that the read calls cost nothing next to the scan, small enough to keep memory flat.
inline constexpr std::size_t kTextChunkSize = 256 * 1024;

// The number of lines of the whole text, read through once; memory stays at one chunk.
std::int64_t countTextLines(ByteSource& source, std::size_t chunkSize = kTextChunkSize);

// Walks the lines from the start of the text, reading no further ahead than the line asked for (and at
// most one chunk past it).
class TextLineReader {
 public:
  explicit TextLineReader(ByteSource& source, std::size_t chunkSize = kTextChunkSize);

  // Whether another line follows.
  bool hasLine();
  // The next line without its terminator; false when no line follows.
  bool readLine(std::string& line);
  // Passes over the next line without keeping it; false when no line follows.
  bool skipLine();

 private:
  bool takeLine(std::string* line);
  bool ensureAvailable();

  ByteSource& source_;
  std::vector<char> buffer_;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  bool sourceDone_ = false;
  bool textEnded_ = false;  // a NUL was met
};

}  // namespace tovrik

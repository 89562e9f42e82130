// Line splitting over chunks. The scans look at 16 bytes at a time with SSE2 where the processor has it,
// so that counting the lines of a large file costs little more than reading it.
#include "files/text_lines.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <emmintrin.h>
#define TOVRIK_SSE2_SCANS 1
#define TOVRIK_TARGET_SSE2 __attribute__((target("sse2")))
#endif

namespace tovrik {
namespace {

// What a count carries from one chunk to the next.
struct LineCountState {
  std::int64_t terminators = 0;  // CR LF, lone CR and lone LF met so far
  bool afterCR = false;          // the last byte was a CR: an LF right after it belongs to it
  bool lineOpen = false;         // bytes follow the last terminator: they make one more line
};

// False when a NUL ended the text.
bool countChunkScalar(const char* data, std::size_t size, LineCountState& state) {
  for (std::size_t i = 0; i < size; ++i) {
    const char c = data[i];
    if (c == '\n') {
      if (!state.afterCR) ++state.terminators;
      state.afterCR = false;
      state.lineOpen = false;
    } else if (c == '\r') {
      ++state.terminators;
      state.afterCR = true;
      state.lineOpen = false;
    } else if (c == '\0') {
      return false;
    } else {
      state.afterCR = false;
      state.lineOpen = true;
    }
  }
  return true;
}

std::size_t findLineEndScalar(const char* data, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i)
    if (data[i] == '\n' || data[i] == '\r' || data[i] == '\0') return i;
  return size;
}

#ifdef TOVRIK_SSE2_SCANS

TOVRIK_TARGET_SSE2 inline std::int64_t sumBytes(__m128i counts) {
  const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
  return _mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4);
}

// Terminators = LF + CR - (LF right after a CR), summed per byte lane; a lane gains at most 1 per block,
// so the lanes are emptied every 255 blocks.
TOVRIK_TARGET_SSE2 bool countChunkSse2(const char* data, std::size_t size, LineCountState& state) {
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i zero = _mm_setzero_si128();
  __m128i crFromPrevious = _mm_cvtsi32_si128(state.afterCR ? 0xFF : 0);
  __m128i counts = zero;
  int blocks = 0;
  std::int64_t terminators = 0;
  std::size_t pos = 0;
  for (; pos + 16 <= size; pos += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(block, zero)) != 0) break;  // the NUL is found byte by byte
    const __m128i isLf = _mm_cmpeq_epi8(block, lf);
    const __m128i isCr = _mm_cmpeq_epi8(block, cr);
    const __m128i crBefore = _mm_or_si128(_mm_slli_si128(isCr, 1), crFromPrevious);
    crFromPrevious = _mm_srli_si128(isCr, 15);
    counts = _mm_sub_epi8(counts, isLf);
    counts = _mm_sub_epi8(counts, isCr);
    counts = _mm_add_epi8(counts, _mm_and_si128(isLf, crBefore));
    if (++blocks == 255) {
      terminators += sumBytes(counts);
      counts = zero;
      blocks = 0;
    }
  }
  state.terminators += terminators + sumBytes(counts);
  if (pos > 0) {
    const char last = data[pos - 1];
    state.afterCR = last == '\r';
    state.lineOpen = last != '\r' && last != '\n';
  }
  return countChunkScalar(data + pos, size - pos, state);
}

TOVRIK_TARGET_SSE2 std::size_t findLineEndSse2(const char* data, std::size_t size) {
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i zero = _mm_setzero_si128();
  std::size_t pos = 0;
  for (; pos + 16 <= size; pos += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + pos));
    const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, lf), _mm_cmpeq_epi8(block, cr)),
                                      _mm_cmpeq_epi8(block, zero));
    const int mask = _mm_movemask_epi8(hits);
    if (mask != 0) return pos + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
  return pos + findLineEndScalar(data + pos, size - pos);
}

bool hasSse2() {
#ifdef __SSE2__
  return true;
#else
  static const bool supported = __builtin_cpu_supports("sse2");
  return supported;
#endif
}

#endif

bool countChunk(const char* data, std::size_t size, LineCountState& state) {
#ifdef TOVRIK_SSE2_SCANS
  if (hasSse2()) return countChunkSse2(data, size, state);
#endif
  return countChunkScalar(data, size, state);
}

// Offset of the first CR, LF or NUL, or `size` when there is none.
std::size_t findLineEnd(const char* data, std::size_t size) {
#ifdef TOVRIK_SSE2_SCANS
  if (hasSse2()) return findLineEndSse2(data, size);
#endif
  return findLineEndScalar(data, size);
}

}  // namespace

std::int64_t countTextLines(ByteSource& source, std::size_t chunkSize) {
  std::vector<char> buffer(std::max<std::size_t>(chunkSize, 1));
  LineCountState state;
  for (;;) {
    const std::size_t got = source.read(buffer.data(), buffer.size());
    if (got == 0 || !countChunk(buffer.data(), got, state)) break;
  }
  return state.terminators + (state.lineOpen ? 1 : 0);
}

TextLineReader::TextLineReader(ByteSource& source, std::size_t chunkSize)
    : source_(source), buffer_(std::max<std::size_t>(chunkSize, 1)) {}

bool TextLineReader::ensureAvailable() {
  if (position_ < end_) return true;
  if (sourceDone_) return false;
  position_ = 0;
  end_ = source_.read(buffer_.data(), buffer_.size());
  if (end_ == 0) sourceDone_ = true;
  return end_ > 0;
}

bool TextLineReader::hasLine() {
  if (textEnded_ || !ensureAvailable()) return false;
  if (buffer_[position_] == '\0') textEnded_ = true;
  return !textEnded_;
}

bool TextLineReader::readLine(std::string& line) {
  line.clear();
  return takeLine(&line);
}

bool TextLineReader::skipLine() { return takeLine(nullptr); }

bool TextLineReader::takeLine(std::string* line) {
  if (!hasLine()) return false;
  for (;;) {
    const std::size_t length = findLineEnd(buffer_.data() + position_, end_ - position_);
    if (line) line->append(buffer_.data() + position_, length);
    position_ += length;
    if (position_ < end_) break;
    if (!ensureAvailable()) return true;  // the text ends inside the line
  }
  // One CR, then one LF, end the line; a NUL ends the text.
  if (buffer_[position_] == '\0') {
    textEnded_ = true;
    return true;
  }
  if (buffer_[position_] == '\r') {
    ++position_;
    if (!ensureAvailable()) return true;
  }
  if (buffer_[position_] == '\n') ++position_;
  return true;
}

}  // namespace tovrik

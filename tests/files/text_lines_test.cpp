// Line splitting over chunks against the rule applied to the whole text at once.
#include "files/text_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tovrik {
namespace {

using Lines = std::vector<std::string>;

// The rule as written, over the whole text: up to CR, LF or NUL is a line; then one CR, then one LF.
Lines splitWholeText(std::string_view text) {
  Lines lines;
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] != '\0') {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n' && text[end] != '\0') ++end;
    lines.emplace_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

// Hands out the text at most `perRead` bytes at a time and counts what it handed out.
class StringSource final : public ByteSource {
 public:
  explicit StringSource(std::string text, std::size_t perRead = SIZE_MAX)
      : text_(std::move(text)), perRead_(perRead) {}
  std::size_t read(char* buffer, std::size_t capacity) override {
    const std::size_t count = std::min({capacity, perRead_, text_.size() - position_});
    text_.copy(buffer, count, position_);
    position_ += count;
    return count;
  }
  std::size_t consumed() const { return position_; }

 private:
  std::string text_;
  std::size_t perRead_;
  std::size_t position_ = 0;
};

Lines readAllLines(const std::string& text, std::size_t chunkSize, std::size_t perRead = SIZE_MAX) {
  StringSource source(text, perRead);
  TextLineReader reader(source, chunkSize);
  Lines lines;
  std::string line;
  while (reader.readLine(line)) lines.push_back(line);
  EXPECT_FALSE(reader.hasLine());
  return lines;
}

std::int64_t countLines(const std::string& text, std::size_t chunkSize, std::size_t perRead = SIZE_MAX) {
  StringSource source(text, perRead);
  return countTextLines(source, chunkSize);
}

std::string printable(std::string_view text) {
  std::string out;
  for (char c : text.substr(0, 60)) {
    if (c == '\r') out += "<CR>";
    else if (c == '\n') out += "<LF>";
    else if (c == '\0') out += "<NUL>";
    else out += c;
  }
  return out;
}

const std::size_t kChunkSizes[] = {1, 2, 3, 5, 15, 16, 17, 31, 33, 4096, kTextChunkSize};

TEST(TextLines, EachLineEndAndTheNulAsTheRuleSays) {
  using namespace std::string_literals;
  const std::pair<std::string, Lines> cases[] = {
      {"a\r\nb\r\nc", {"a", "b", "c"}},
      {"a\r\nb\r\nc\r\n", {"a", "b", "c"}},
      {"a\nb\nc\n", {"a", "b", "c"}},
      {"a\rb\rc", {"a", "b", "c"}},
      {"a\n\rb", {"a", "", "b"}},          // LF CR ends two lines
      {"a\n\r", {"a", ""}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\r\n\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"\n\n\n", {"", "", ""}},
      {"\r\r", {"", ""}},
      {"", {}},
      {"one", {"one"}},
      {"a\rb\nc\r\nd\n\re", {"a", "b", "c", "d", "", "e"}},
      {"\0abc\r\n"s, {}},
      {"a\0b\nc"s, {"a"}},
      {"a\r\0\nb"s, {"a"}},
      {"a\r\n\0"s, {"a"}},
      {"abc\0"s, {"abc"}},
      {"0123456789abcdefghij\r\n0123456789abcdefghijklmnopqrstuvwxyz", {"0123456789abcdefghij",
                                                                         "0123456789abcdefghijklmnopqrstuvwxyz"}},
      {"\xE9t\xE9\r\n\xFF\xFE", {"\xE9t\xE9", "\xFF\xFE"}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& [text, expected] = cases[i];
    ASSERT_EQ(splitWholeText(text), expected) << "the reference split, case " << i;
    for (std::size_t chunk : kChunkSizes) {
      SCOPED_TRACE("case " + std::to_string(i) + " \"" + printable(text) + "\", chunk " + std::to_string(chunk));
      EXPECT_EQ(readAllLines(text, chunk), expected);
      EXPECT_EQ(countLines(text, chunk), static_cast<std::int64_t>(expected.size()));
    }
  }
}

TEST(TextLines, ACrLfSplitBetweenTwoReadsIsOneLineEnd) {
  // The CR closes the first read, the LF opens the next one.
  for (const std::string text : {"ab\r\ncd", "ab\r\n\r\ncd", "0123456789abcde\r\nx"}) {
    const std::size_t split = text.find('\r') + 1;
    SCOPED_TRACE(printable(text));
    const Lines expected = splitWholeText(text);
    EXPECT_EQ(readAllLines(text, split), expected);
    EXPECT_EQ(readAllLines(text, 4096, split), expected);
    EXPECT_EQ(countLines(text, split), static_cast<std::int64_t>(expected.size()));
    EXPECT_EQ(countLines(text, 4096, split), static_cast<std::int64_t>(expected.size()));
  }
}

TEST(TextLines, RandomTextsAgreeWithTheWholeTextSplit) {
  std::mt19937 random(20261207);
  const std::string alphabet[] = {"a", "b", "\r", "\n", "\r\n", "\n\r", "xyzxyzxyzxyzxyzxyzxyz"};
  for (int round = 0; round < 600; ++round) {
    std::string text;
    const int pieces = static_cast<int>(random() % 60);
    for (int p = 0; p < pieces; ++p) text += alphabet[random() % std::size(alphabet)];
    if (random() % 8 == 0 && !text.empty()) text[random() % text.size()] = '\0';
    const Lines expected = splitWholeText(text);
    const std::size_t chunk = 1 + random() % 40;
    const std::size_t perRead = random() % 3 == 0 ? 1 + random() % 7 : SIZE_MAX;
    SCOPED_TRACE("round " + std::to_string(round) + " \"" + printable(text) + "\", chunk " + std::to_string(chunk) +
                 ", per read " + std::to_string(perRead));
    ASSERT_EQ(readAllLines(text, chunk, perRead), expected);
    ASSERT_EQ(countLines(text, chunk, perRead), static_cast<std::int64_t>(expected.size()));
  }
}

TEST(TextLines, LargeTextsCountTheSameInEveryChunking) {
  // Long runs of line ends fill the per-lane counters of the 16-byte scan, which must empty them in time.
  std::mt19937 random(7);
  std::string mixed;
  while (mixed.size() < 300000) {
    const int kind = static_cast<int>(random() % 5);
    mixed += kind == 0 ? "\r\n" : kind == 1 ? "\n" : kind == 2 ? "\r" : std::string(random() % 90, 'q');
  }
  const std::pair<std::string, std::int64_t> cases[] = {
      {std::string(100000, '\n'), 100000},
      {std::string(100000, '\r'), 100000},
      {[] { std::string s; for (int i = 0; i < 50000; ++i) s += "\r\n"; return s; }(), 50000},
      {[] { std::string s; for (int i = 0; i < 50000; ++i) s += "\n\r"; return s; }(), 50001},  // LF, then CR LF pairs, then CR
      {std::string(70000, 'x'), 1},
      {mixed, static_cast<std::int64_t>(splitWholeText(mixed).size())},
      {mixed.substr(0, 123457) + std::string(1, '\0') + mixed, static_cast<std::int64_t>(splitWholeText(mixed.substr(0, 123457)).size())},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    for (std::size_t chunk : {std::size_t{16}, std::size_t{17}, std::size_t{4095}, std::size_t{65536}, kTextChunkSize}) {
      SCOPED_TRACE("case " + std::to_string(i) + ", chunk " + std::to_string(chunk));
      EXPECT_EQ(countLines(cases[i].first, chunk), cases[i].second);
    }
  EXPECT_EQ(readAllLines(mixed, 4096), splitWholeText(mixed));
}

TEST(TextLines, TheReaderReadsNoFurtherThanTheLineAfterTheOneAsked) {
  std::string text;
  for (int i = 0; i < 200000; ++i) text += "line " + std::to_string(i) + "\r\n";
  StringSource source(text);
  TextLineReader reader(source, 4096);
  std::string line;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(reader.skipLine());
  ASSERT_TRUE(reader.readLine(line));
  EXPECT_EQ(line, "line 3");
  EXPECT_TRUE(reader.hasLine());
  EXPECT_EQ(source.consumed(), 4096u) << "one chunk of a " << text.size() << "-byte text";
}

}  // namespace
}  // namespace tovrik

// The background picture decoded through libjpeg: its size, its colours where the form shows it
// uncovered, and damaged data refused without ending the process.
#include "forms/jpeg_picture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace tovrik {
namespace {

std::vector<std::uint8_t> readResource(const std::string& name) {
  std::ifstream file(std::string(TOVRIK_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

struct Sample {
  int x, y;
  int rgb[3];
};

// The colours the tests expect on the screen, written by make_pictures.py beside the picture.
std::vector<Sample> readSamples() {
  std::ifstream file(std::string(TOVRIK_SOURCE_DIR) + "/resources/background.samples");
  std::vector<Sample> samples;
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Sample sample{};
    fields >> sample.x >> sample.y >> sample.rgb[0] >> sample.rgb[1] >> sample.rgb[2];
    samples.push_back(sample);
  }
  return samples;
}

// The picture is twice the form's 320 by 212 client area; at 100 % each form pixel shows the mean of the
// 2x2 picture pixels behind it.
TEST(JpegPicture, DecodesTheBackgroundToTwiceTheFormsClientSizeWithItsSampleColours) {
  const std::vector<std::uint8_t> data = readResource("background.jpg");
  ASSERT_GT(data.size(), 1000u);
  const std::optional<RgbPicture> picture = decodeJpeg(data);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 2 * 320);
  EXPECT_EQ(picture->height, 2 * 212);
  ASSERT_EQ(picture->pixels.size(), 640u * 424u * 3u);
  const std::vector<Sample> samples = readSamples();
  ASSERT_EQ(samples.size(), 3u);
  for (const Sample& sample : samples) {
    SCOPED_TRACE("at " + std::to_string(sample.x) + "," + std::to_string(sample.y));
    for (int channel = 0; channel < 3; ++channel) {
      int sum = 0;
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) sum += picture->pixel(2 * sample.x + dx, 2 * sample.y + dy)[channel];
      const int mean = (sum + 2) / 4;
      EXPECT_LE(std::abs(mean - sample.rgb[channel]), 2)
          << "channel " << channel << ": " << mean << " expected " << sample.rgb[channel];
    }
  }
}

TEST(JpegPicture, DamagedDataIsRefusedWithoutEndingTheProcess) {
  const std::vector<std::uint8_t> data = readResource("background.jpg");
  ASSERT_GT(data.size(), 1000u);
  const auto prefix = [&](std::size_t size) { return std::vector<std::uint8_t>(data.begin(), data.begin() + size); };
  std::vector<std::uint8_t> noMarker = data;
  noMarker[0] = 0x00;
  std::vector<std::uint8_t> badHuffman = data;
  // Markers in the middle of the entropy-coded data.
  for (std::size_t i = data.size() / 2; i < data.size() / 2 + 64; ++i) badHuffman[i] = 0xFF;
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
    bool decodes;
  } cases[] = {
      {"empty", {}, false},
      {"start marker only", prefix(2), false},
      {"cut inside the headers", prefix(100), false},
      {"cut in the middle of the picture", prefix(data.size() / 2), false},
      {"cut before the end marker", prefix(data.size() - 2), false},
      {"not a JPEG", noMarker, false},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.what);
    const std::optional<RgbPicture> picture = decodeJpeg(test.bytes);
    EXPECT_EQ(picture.has_value(), test.decodes);
  }
  // Corrupt data inside the picture must not crash; whether it decodes is libjpeg's call.
  (void)decodeJpeg(badHuffman);
}

}  // namespace
}  // namespace tovrik

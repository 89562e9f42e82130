// Drives a fuzz target with seeded random inputs: `NAME [iterations] [seed]`; the same seed replays the
// same inputs, so a failure seen in CI can be reproduced.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  const long iterations = argc > 1 ? std::atol(argv[1]) : 20000;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 12345u;
  std::mt19937 random(seed);
  // Inputs lean towards the characters the parsers care about, with some plain random bytes.
  static const char interesting[] = "0123456789+-.,eE$xX \"'<>/\\:bBiIuUlLnNkKpPrRhHmMsSdDyYtTzZaAcCgG";
  std::string input;
  for (long i = 0; i < iterations; ++i) {
    input.clear();
    const size_t length = random() % (i % 100 == 0 ? 4096 : 64);
    for (size_t j = 0; j < length; ++j) {
      const unsigned pick = random();
      input.push_back(pick % 4 == 0 ? static_cast<char>(pick >> 8)
                                    : interesting[(pick >> 8) % (sizeof interesting - 1)]);
    }
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
  }
  std::printf("%ld inputs, seed %u: no fault\n", iterations, seed);
  return 0;
}

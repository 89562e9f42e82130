// The arithmetic command words as a script runs them, under French and English regional settings.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/command_mode.h"
#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using Lines = std::vector<std::string>;
using fakes::Case;
using fakes::expectCases;
using fakes::run;

const Lines kError = {"ERROR=1"};

TEST(ArithmeticCommands, FrenchDecimalComma) {
  fakes::FakeServices services;
  expectCases(services, {
      {{"add", "1,5", "2,25"}, {"RESULT=3,75"}},
      {{"add", "1.5", "2"}, kError},
      {{"add", "0,1", "0,2"}, {"RESULT=0,3"}},
      {{"add", " 1 ", "2 "}, {"RESULT=3"}},
      {{"add", "1E4932", "1E4932"}, kError},
      {{"add", "1", "0," + std::string(9999, '0') + "1"}, {"RESULT=1"}},
      {{"add", std::string(10000, '9'), "1"}, kError},
      {{"add", "1E5000", "1"}, kError},
      {{"add", "1E500", "-1E500"}, {"RESULT=0"}},
      {{"add", "NULL", "1"}, kError},
      {{"add", "1"}, kError},
      {{"sub", "5", "8"}, {"RESULT=-3"}},
      {{"sub", "-1E4932", "1E4932"}, kError},
      {{"sub", "5"}, kError},
      {{"mul", "1E10", "1E10"}, {"RESULT=1E20"}},
      {{"mul", "1E-4000", "1E-4000"}, {"RESULT=0"}},
      {{"mul", "1E3000", "1E3000"}, kError},
      {{"mul", "2"}, kError},
      {{"div", "7", "2"}, {"RESULT=4"}},
      {{"div", "5", "2"}, {"RESULT=2"}},
      {{"div", "-7", "2"}, {"RESULT=-4"}},
      {{"div", "1", "3"}, {"RESULT=0"}},
      {{"div", "1", "0"}, kError},
      {{"div", "0", "0"}, kError},
      {{"div", "-9223372036854775808", "1"}, {"RESULT=-9,22337203685478E18"}},
      {{"div", "9223372036854775807", "1"}, {"RESULT=9,22337203685478E18"}},
      {{"div", "9223372036854775808", "1"}, kError},
      {{"div", "-9223372036854775809", "1"}, kError},
      {{"div", "1E30", "1"}, kError},
      {{"div", "1"}, kError},
      {{"inc", "1,5"}, {"RESULT=2"}},
      {{"inc", "2,5"}, {"RESULT=4"}},
      {{"inc", "-1,5"}, {"RESULT=0"}},
      {{"inc", "9,2E18"}, {"RESULT=9,2E18"}},
      {{"inc", "1E19"}, kError},
      {{"inc"}, kError},
      {{"dec", "0"}, {"RESULT=-1"}},
      {{"dec", "-1E19"}, kError},
      {{"dec", "x"}, kError},
      {{"round", "123456789012345678"}, {"RESULT=1,23456789012346E17"}},
      {{"round", "2,5"}, {"RESULT=2"}},
      {{"round", "3,5"}, {"RESULT=4"}},
      {{"round", "-2,5"}, {"RESULT=-2"}},
      {{"round", "-0,4"}, {"RESULT=0"}},
      {{"round", "999999999999999"}, {"RESULT=999999999999999"}},
      {{"round", "1E-4000"}, {"RESULT=0"}},
      {{"round", "9,3E18"}, kError},
      {{"round", "1E4000"}, kError},
      {{"sqr", "16"}, {"RESULT=4"}},
      {{"sqr", "2"}, {"RESULT=1,4142135623731"}},
      {{"sqr", "-0"}, {"RESULT=0"}},
      {{"sqr", "1E4000"}, {"RESULT=1E2000"}},
      {{"sqr", "-1"}, kError},
      {{"sqr"}, kError},
      {{"abs", "-0"}, {"RESULT=0"}},
      {{"abs", "-2,5"}, {"RESULT=2,5"}},
      {{"abs", "-1E-4000"}, {"RESULT=1E-4000"}},
      {{"abs", "2,5x"}, kError},
      {{"pwr", "2", "10"}, {"RESULT=1024"}},
      {{"pwr", "2", "-1"}, {"RESULT=0,5"}},
      {{"pwr", "0", "0"}, {"RESULT=1"}},
      {{"pwr", "-2", "3"}, {"RESULT=-8"}},
      {{"pwr", "4", "0,5"}, {"RESULT=2"}},
      {{"pwr", "-1", "2147483647"}, {"RESULT=-1"}},
      {{"pwr", "1", "1E4000"}, {"RESULT=1"}},
      {{"pwr", "1E3000", "1"}, {"RESULT=1E3000"}},
      {{"pwr", "-8", "0,5"}, kError},
      {{"pwr", "0", "-1"}, kError},
      {{"pwr", "2", "2147483647"}, kError},
      {{"pwr", "2", "1E4000"}, kError},
      {{"pwr", "0,5", "-1E4000"}, kError},
      {{"pwr", "2"}, kError},
  });
}

TEST(ArithmeticCommands, EnglishDecimalPoint) {
  fakes::FakeServices services;
  services.regional.decimalSeparator = '.';
  expectCases(services, {
      {{"add", "1.5", "2.25"}, {"RESULT=3.75"}},
      {{"add", "1,5", "2"}, kError},
      {{"sub", "0.3", "0.1"}, {"RESULT=0.2"}},
      {{"mul", "0.5", "1E-3"}, {"RESULT=0.0005"}},
      {{"div", "7.5", "2.5"}, {"RESULT=3"}},
      {{"inc", "1.5"}, {"RESULT=2"}},
      {{"dec", "2.5"}, {"RESULT=2"}},
      {{"round", "123456789012345678"}, {"RESULT=1.23456789012346E17"}},
      {{"sqr", "2"}, {"RESULT=1.4142135623731"}},
      {{"abs", "-1.25"}, {"RESULT=1.25"}},
      {{"pwr", "2", "-1"}, {"RESULT=0.5"}},
      {{"pwr", "10", "-5"}, {"RESULT=1E-5"}},
  });
}

// The generator's recurrence and the high half of seed * n, computed apart from the program.
std::string expectedDraw(uint32_t seed, int32_t n) {
  const uint64_t advanced = (uint64_t{seed} * 134775813u + 1u) % 4294967296u;
  const uint64_t high = advanced * static_cast<uint32_t>(n) / 4294967296u;
  return std::to_string(high >= 2147483648u ? static_cast<int64_t>(high) - 4294967296 : static_cast<int64_t>(high));
}

TEST(ArithmeticCommands, RandomDrawsOnceFromTheServicesSeed) {
  struct Draw {
    uint32_t seed;
    std::string bound;  // as the script writes it
    int32_t n;
  };
  const Draw draws[] = {
      {1, "100", 100},           {0xFFFFFFFFu, "100", 100}, {123456789, "2147483647", 2147483647},
      {987654321, "$10", 16},    {42, " 1000", 1000},        {5, "-5", -5},
      {7, "-2147483648", INT32_MIN},
  };
  for (std::size_t i = 0; i < std::size(draws); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i << ": seed " << draws[i].seed << " n " << draws[i].bound);
    fakes::FakeServices services;
    services.fakeClock.seed = draws[i].seed;
    EXPECT_EQ(run(services, {"random", draws[i].bound}), Lines{"RANDOM=" + expectedDraw(draws[i].seed, draws[i].n)});
  }
  // 1 * 134775813 + 1 = 134775814, and 134775814 * 100 / 2^32 = 3.14
  fakes::FakeServices services;
  EXPECT_EQ(run(services, {"random", "100"}), Lines{"RANDOM=3"});
  for (const uint32_t seed : {0u, 1u, 0x80000000u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    services.fakeClock.seed = seed;
    expectCases(services, {
        {{"random", "1"}, {"RANDOM=0"}},
        {{"random", "0"}, {"RANDOM=0"}},
        {{"random", "abc"}, kError},
        {{"random", "16 "}, kError},
        {{"random", "1,5"}, kError},
        {{"random"}, kError},
    });
  }
}

}  // namespace
}  // namespace tovrik

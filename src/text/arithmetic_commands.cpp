// Arithmetic command handlers: read decimal text, compute in extended precision, write one SET line.
#include "text/arithmetic_commands.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/services.h"
#include "text/number_rules.h"

namespace tovrik {
namespace {

char decimalSeparatorOf(Command& command) { return command.services.regionalSettings().decimalSeparator; }

long double readDecimalParam(Command& command, std::size_t position) {
  return readDecimalText(command.param(position), decimalSeparatorOf(command));
}

void addDecimalResult(Command& command, long double value) {
  command.lines.addSet("RESULT", formatGeneral(value, decimalSeparatorOf(command)));
}

void addRoundedResult(Command& command, long double value) {
  command.lines.addSet("RESULT", formatRounded(value, decimalSeparatorOf(command)));
}

// Reads parameters 1 and 2, in that order, and applies the operation.
long double applyToOperands(Command& command, long double (*operation)(long double, long double)) {
  const long double first = readDecimalParam(command, 1);
  const long double second = readDecimalParam(command, 2);
  return operation(first, second);
}

}  // namespace

void runAdd(Command& command) { addDecimalResult(command, applyToOperands(command, checkedAdd)); }

void runSub(Command& command) { addDecimalResult(command, applyToOperands(command, checkedSub)); }

void runMul(Command& command) { addDecimalResult(command, applyToOperands(command, checkedMul)); }

void runDiv(Command& command) { addRoundedResult(command, applyToOperands(command, checkedDiv)); }

void runInc(Command& command) { addRoundedResult(command, checkedAdd(readDecimalParam(command, 1), 1)); }

void runDec(Command& command) { addRoundedResult(command, checkedSub(readDecimalParam(command, 1), 1)); }

void runRound(Command& command) { addRoundedResult(command, readDecimalParam(command, 1)); }

void runSqr(Command& command) { addDecimalResult(command, checkedSqrt(readDecimalParam(command, 1))); }

void runAbs(Command& command) { addDecimalResult(command, std::fabs(readDecimalParam(command, 1))); }

void runPwr(Command& command) { addDecimalResult(command, applyToOperands(command, power)); }

// Each run is its own process and draws once, so seeding here is seeding once per run.
void runRandom(Command& command) {
  const int32_t bound = readIntegerText(command.param(1));
  RandomGenerator generator(command.services.clock().randomSeed());
  command.lines.addSet("RANDOM", std::to_string(generator.next(bound)));
}

}  // namespace tovrik

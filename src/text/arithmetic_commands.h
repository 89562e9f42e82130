// Arithmetic commands: decimal arithmetic, rounding, root, absolute value, power and random numbers.
#pragma once

#include "command/command.h"

namespace tovrik {

void runAdd(Command& command);
void runSub(Command& command);
void runMul(Command& command);
void runDiv(Command& command);
void runInc(Command& command);
void runDec(Command& command);
void runRound(Command& command);
void runSqr(Command& command);
void runAbs(Command& command);
void runPwr(Command& command);
void runRandom(Command& command);

}  // namespace tovrik

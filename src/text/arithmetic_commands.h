// Arithmetic commands: decimal arithmetic, rounding, root, absolute value, power and random numbers.
#pragma once

#include "command/command.h"

namespace tovrik {

// The family's handlers, listed once: the list declares them and gives the command table's test their
// names (frontend/dispatch.cpp registers the words).
#define TOVRIK_ARITHMETIC_HANDLERS(X) \
  X(runAdd) \
  X(runSub) \
  X(runMul) \
  X(runDiv) \
  X(runInc) \
  X(runDec) \
  X(runRound) \
  X(runSqr) \
  X(runAbs) \
  X(runPwr) \
  X(runRandom)

TOVRIK_ARITHMETIC_HANDLERS(TOVRIK_DECLARE_HANDLER)
inline constexpr NamedHandler kArithmeticHandlers[] = {TOVRIK_ARITHMETIC_HANDLERS(TOVRIK_NAME_HANDLER)};

}  // namespace tovrik

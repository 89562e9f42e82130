// The errors a command can raise; the one error guard turns any of them into "SET ERROR=1".
#pragma once

#include <stdexcept>
#include <string>

namespace tovrik {

class CommandError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // Shown as the error's type in the application error box.
  virtual const char* typeName() const { return "CommandError"; }
};

// Reading an argument past the end of the argument list.
class ListIndexError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "ListIndexError"; }
};

// Text that is not a valid integer or decimal number.
class ConversionError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "ConversionError"; }
};

// Invalid operation, division by zero or overflow in decimal arithmetic.
class ArithmeticError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "ArithmeticError"; }
};

// A refused registry operation.
class RegistryError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "RegistryError"; }
};

// A platform operation that failed where the caller must not go on.
class PlatformError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "PlatformError"; }
};

// A window that waits for an answer, in a window station where no one can see it.
class NoOneToAnswerError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "NoOneToAnswerError"; }
};

// A value whose return-file line would be longer than cmd.exe reads whole.
class LineTooLongError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "LineTooLongError"; }
};

// The return file could not be created or written.
class FileCreateError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "FileCreateError"; }
};

}  // namespace tovrik

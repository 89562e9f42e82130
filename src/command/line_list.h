// The lines an invocation hands back to its script: two header remarks, then SET lines, appended only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "command/error.h"

namespace tovrik {

struct ReturnLine {
  bool isRemark = false;
  std::string name;   // SET lines: the variable name
  std::string text;   // SET lines: the value, as the command produced it; remarks: the whole line
  bool isSecret = false;  // a password: never echoed by a script that runs with ECHO on
};

// Whether a line can be written so that cmd.exe reads it whole (the return file knows how it writes one).
class LineLimit {
 public:
  virtual ~LineLimit() = default;
  virtual bool fits(const ReturnLine& line) const = 0;
};

class LineList {
 public:
  // limit: checked on every SET line; none for lists that are never written.
  explicit LineList(const LineLimit* limit = nullptr) : limit_(limit) {}

  void addRemark(std::string_view line) { lines_.push_back({true, {}, std::string(line)}); }
  // A value whose line cmd.exe could not read whole is never written cut: it raises, so the command ends
  // with "SET ERROR=1" after the lines it added before.
  void addSet(std::string_view name, std::string_view value) { add({false, std::string(name), std::string(value)}); }
  void addSecret(std::string_view name, std::string_view value) {
    add({false, std::string(name), std::string(value), true});
  }
  void addError() { addSet("ERROR", "1"); }
  const std::vector<ReturnLine>& lines() const { return lines_; }

 private:
  void add(ReturnLine line) {
    if (limit_ && !limit_->fits(line)) throw LineTooLongError("SET " + line.name + " would be too long a line");
    lines_.push_back(std::move(line));
  }

  const LineLimit* limit_;
  std::vector<ReturnLine> lines_;
};

}  // namespace tovrik

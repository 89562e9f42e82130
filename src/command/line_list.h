// The lines an invocation hands back to its script: two header remarks, then SET lines, appended only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tovrik {

struct ReturnLine {
  bool isRemark = false;
  std::string name;   // SET lines: the variable name
  std::string text;   // SET lines: the value, as the command produced it; remarks: the whole line
};

class LineList {
 public:
  void addRemark(std::string_view line) { lines_.push_back({true, {}, std::string(line)}); }
  void addSet(std::string_view name, std::string_view value) {
    lines_.push_back({false, std::string(name), std::string(value)});
  }
  void addError() { addSet("ERROR", "1"); }
  const std::vector<ReturnLine>& lines() const { return lines_; }

 private:
  std::vector<ReturnLine> lines_;
};

}  // namespace tovrik

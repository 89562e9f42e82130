// Splits markup text into elements and builds the node tree from them.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "command/error.h"
#include "markup/markup_nodes.h"

namespace tovrik {

// A broken invariant of the parser.
class ParserError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "EParserError"; }
};

enum class ElementKind { BeginTag, EndTag, Text };

struct MarkupElement {
  ElementKind kind = ElementKind::Text;
  std::string text;
};

// Elements of one text. A tag left open takes the text up to, but not including, its last character.
class ElementEnumerator {
 public:
  explicit ElementEnumerator(std::string_view text) : text_(text) {}
  MarkupElement next();
  const MarkupElement& peek();
  bool isAtEnd() const { return !hasPeeked_ && cursor_ >= text_.size(); }

 private:
  MarkupElement scan();
  std::string_view text_;
  std::size_t cursor_ = 0;
  MarkupElement peeked_;
  bool hasPeeked_ = false;
};

// Supplies the markup that fills a dynamic tag; empty for none.
class DynamicMarkupSource {
 public:
  virtual ~DynamicMarkupSource() = default;
  virtual std::string dynamicNodeMarkup(const DynamicNode& node) = 0;
};

// Carriage-return and line-feed pairs vanish from markup: a line break must be written as a tag.
std::string removeLineEnds(std::string_view text);

class MarkupParser {
 public:
  // Markup returned for a dynamic tag may hold dynamic tags of its own; a handler that always does would
  // otherwise expand without end, so deeper or further dynamic tags stay empty.
  static constexpr int kMaxDynamicDepth = 8;
  static constexpr int kMaxDynamicExpansions = 256;

  std::unique_ptr<MarkupTree> parse(std::string_view text);
  std::unique_ptr<MarkupTree> parse(const std::vector<std::string>& lines);
  void setDynamicNodeHandler(DynamicMarkupSource* handler) { handler_ = handler; }
  // Parses the text and appends its top-level nodes to `parent`; link and dynamic numbers go on counting.
  void parseInto(ParentNode& parent, std::string_view text);

 private:
  void parseElements(ParentNode& parent, std::string_view text, int dynamicDepth);
  std::unique_ptr<MarkupNode> createTagNode(std::string_view tag);
  void fillDynamicNode(DynamicNode& node, int dynamicDepth);

  DynamicMarkupSource* handler_ = nullptr;
  int nextLinkNumber_ = 0;
  int nextDynamicNumber_ = 0;
  int dynamicExpansions_ = 0;
};

}  // namespace tovrik

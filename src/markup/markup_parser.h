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
class EParserError : public CommandError {
 public:
  using CommandError::CommandError;
  const char* typeName() const override { return "EParserError"; }
};

enum class TElementKind { BeginTag, EndTag, Text };

struct TElement {
  TElementKind kind = TElementKind::Text;
  std::string text;
};

class IElementEnumerator {
 public:
  virtual ~IElementEnumerator() = default;
  virtual TElement next() = 0;
  virtual const TElement& peek() = 0;
  virtual bool isAtEnd() const = 0;
};

// Elements of one text. A tag left open takes the text up to, but not including, its last character.
class TElementEnumerator final : public IElementEnumerator {
 public:
  explicit TElementEnumerator(std::string_view text) : text_(text) {}
  TElement next() override;
  const TElement& peek() override;
  bool isAtEnd() const override { return !hasPeeked_ && cursor_ >= text_.size(); }

 private:
  TElement scan();
  std::string_view text_;
  std::size_t cursor_ = 0;
  TElement peeked_;
  bool hasPeeked_ = false;
};

// Supplies the markup that fills a dynamic tag; empty for none.
class IDynamicNodeHandler {
 public:
  virtual ~IDynamicNodeHandler() = default;
  virtual std::string dynamicNodeMarkup(const TDynamicNode& node) = 0;
};

class IParser {
 public:
  virtual ~IParser() = default;
  virtual std::unique_ptr<TNodeTree> parse(std::string_view text) = 0;
  virtual std::unique_ptr<TNodeTree> parse(const std::vector<std::string>& lines) = 0;
  virtual void setDynamicNodeHandler(IDynamicNodeHandler* handler) = 0;
  // Parses the text and appends its top-level nodes to `parent`; link and dynamic numbers go on counting.
  virtual void parseInto(TParentNode& parent, std::string_view text) = 0;
};

// Carriage-return and line-feed pairs vanish from markup: a line break must be written as a tag.
std::string removeLineEnds(std::string_view text);

class TDefaultParser final : public IParser {
 public:
  // Markup returned for a dynamic tag may hold dynamic tags of its own; a handler that always does would
  // otherwise expand without end, so deeper or further dynamic tags stay empty.
  static constexpr int kMaxDynamicDepth = 8;
  static constexpr int kMaxDynamicExpansions = 256;

  std::unique_ptr<TNodeTree> parse(std::string_view text) override;
  std::unique_ptr<TNodeTree> parse(const std::vector<std::string>& lines) override;
  void setDynamicNodeHandler(IDynamicNodeHandler* handler) override { handler_ = handler; }
  void parseInto(TParentNode& parent, std::string_view text) override;

 private:
  void parseElements(TParentNode& parent, std::string_view text, int dynamicDepth);
  std::unique_ptr<TNode> createTagNode(std::string_view tag);
  void fillDynamicNode(TDynamicNode& node, int dynamicDepth);

  IDynamicNodeHandler* handler_ = nullptr;
  int nextLinkNumber_ = 0;
  int nextDynamicNumber_ = 0;
  int dynamicExpansions_ = 0;
};

}  // namespace tovrik

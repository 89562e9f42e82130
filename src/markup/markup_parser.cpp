// Splits markup text into elements and builds the node tree from them.
#include "markup/markup_parser.h"

#include <utility>

namespace tovrik {

namespace {

std::string upperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

}  // namespace

MarkupElement ElementEnumerator::scan() {
  const std::size_t size = text_.size();
  if (cursor_ >= size) throw ParserError("TElementEnumerator.GetNextElement: No more elements to return");
  MarkupElement element;
  if (text_[cursor_] != '<') {
    const std::size_t tag = text_.find('<', cursor_);
    const std::size_t end = tag == std::string_view::npos ? size : tag;
    element.kind = ElementKind::Text;
    element.text = std::string(text_.substr(cursor_, end - cursor_));
    cursor_ = end;
    return element;
  }
  const bool isEndTag = cursor_ + 1 < size && text_[cursor_ + 1] == '/';
  element.kind = isEndTag ? ElementKind::EndTag : ElementKind::BeginTag;
  const std::size_t nameStart = cursor_ + (isEndTag ? 2 : 1);
  if (nameStart >= size) {
    cursor_ = size;
    return element;
  }
  // The search stops at the last character, which the tag never takes, whether it is ">" or not.
  std::size_t close = nameStart;
  while (close < size - 1 && text_[close] != '>') ++close;
  element.text = std::string(text_.substr(nameStart, close - nameStart));
  cursor_ = close + 1;
  return element;
}

const MarkupElement& ElementEnumerator::peek() {
  if (!hasPeeked_) {
    peeked_ = scan();
    hasPeeked_ = true;
  }
  return peeked_;
}

MarkupElement ElementEnumerator::next() {
  if (hasPeeked_) {
    hasPeeked_ = false;
    return std::move(peeked_);
  }
  return scan();
}

std::string removeLineEnds(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    result.push_back(text[i]);
  }
  return result;
}

std::unique_ptr<MarkupTree> MarkupParser::parse(std::string_view text) {
  nextLinkNumber_ = 0;
  nextDynamicNumber_ = 0;
  dynamicExpansions_ = 0;
  auto tree = std::make_unique<MarkupTree>();
  parseElements(tree->root(), text, 0);
  return tree;
}

std::unique_ptr<MarkupTree> MarkupParser::parse(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) joined += line + "\r\n";
  return parse(joined);
}

void MarkupParser::parseInto(ParentNode& parent, std::string_view text) {
  // Parsed aside first: a dynamic-tag handler that throws must leave `parent` as it was.
  ParentNode parsed;
  parseElements(parsed, text, 0);
  parent.takeChildrenFrom(parsed);
}

std::unique_ptr<MarkupNode> MarkupParser::createTagNode(std::string_view tag) {
  const std::string name = upperAscii(tag);
  if (name == "B") return std::make_unique<StyleNode>(FontStyle::Bold);
  if (name == "I") return std::make_unique<StyleNode>(FontStyle::Italic);
  if (name == "U") return std::make_unique<StyleNode>(FontStyle::Underline);
  if (name == "LINK") return std::make_unique<LinkNode>(nextLinkNumber_++);
  if (name == "BR") return std::make_unique<BreakNode>(BreakKind::LineBreak);
  if (name == "P") return std::make_unique<BreakNode>(BreakKind::ParagraphBreak);
  if (name == "DYNAMIC") return std::make_unique<DynamicNode>(nextDynamicNumber_++);
  return std::make_unique<UnknownNode>(std::string(tag));
}

// An explicit stack of open elements instead of recursion: thousands of nested tags must not exhaust the
// 1 MB stack of a Windows thread.
void MarkupParser::parseElements(ParentNode& parent, std::string_view text, int dynamicDepth) {
  const std::string markup = removeLineEnds(text);
  ElementEnumerator elements(markup);
  std::vector<ParentNode*> open{&parent};
  while (!elements.isAtEnd()) {
    MarkupElement element = elements.next();
    ParentNode& current = *open.back();
    switch (element.kind) {
      case ElementKind::EndTag:
        // Closes the innermost open element whatever its name; at the top it ends the text.
        if (open.size() == 1) return;
        open.pop_back();
        break;
      case ElementKind::Text:
        current.addChild(std::make_unique<TextNode>(std::move(element.text)));
        break;
      case ElementKind::BeginTag: {
        MarkupNode& node = current.addChild(createTagNode(element.text));
        const NodeType type = node.nodeType();
        if (type == NodeType::StyleNode || type == NodeType::LinkNode)
          open.push_back(static_cast<ParentNode*>(&node));
        else if (type == NodeType::DynamicNode)
          fillDynamicNode(static_cast<DynamicNode&>(node), dynamicDepth);
        break;
      }
    }
  }
}

void MarkupParser::fillDynamicNode(DynamicNode& node, int dynamicDepth) {
  if (handler_ == nullptr || dynamicDepth >= kMaxDynamicDepth || dynamicExpansions_ >= kMaxDynamicExpansions)
    return;
  ++dynamicExpansions_;
  const std::string markup = handler_->dynamicNodeMarkup(node);
  if (markup.empty()) return;
  parseElements(node, markup, dynamicDepth + 1);
}

}  // namespace tovrik

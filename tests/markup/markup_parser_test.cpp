// Tests of the markup element splitter and parser: the tree shapes built from well-formed and malformed text.
#include "markup/markup_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovrik {
namespace {

std::string describeTree(const ParentNode& parent);

std::string describeNode(const MarkupNode& node) {
  switch (node.nodeType()) {
    case NodeType::TextNode:
      return "\"" + static_cast<const TextNode&>(node).text() + "\"";
    case NodeType::BreakNode:
      return static_cast<const BreakNode&>(node).action() == BreakKind::LineBreak ? "BR" : "P";
    case NodeType::UnknownNode:
      return "<" + static_cast<const UnknownNode&>(node).tag() + ">";
    case NodeType::StyleNode: {
      const FontStyle style = static_cast<const StyleNode&>(node).addedStyle();
      const char* name = style == FontStyle::Bold ? "B" : style == FontStyle::Italic ? "I" : "U";
      return name + ("{" + describeTree(static_cast<const ParentNode&>(node)) + "}");
    }
    case NodeType::LinkNode:
      return "L" + std::to_string(static_cast<const LinkNode&>(node).number()) + "{" +
             describeTree(static_cast<const ParentNode&>(node)) + "}";
    case NodeType::DynamicNode:
      return "D" + std::to_string(static_cast<const DynamicNode&>(node).number()) + "{" +
             describeTree(static_cast<const ParentNode&>(node)) + "}";
    default:
      return "?";
  }
}

// Children separated by blanks: `B{"bold"} " plain"`.
std::string describeTree(const ParentNode& parent) {
  std::string result;
  for (std::size_t i = 0; i < parent.childCount(); ++i) {
    if (i > 0) result += " ";
    result += describeNode(parent.child(i));
  }
  return result;
}

std::string parseToShape(std::string_view text) {
  MarkupParser parser;
  return describeTree(parser.parse(text)->root());
}

TEST(MarkupParser, BuildsTreeShapes) {
  struct Case {
    const char* text;
    const char* shape;
  };
  const Case cases[] = {
      {"", ""},
      {"<b>bold</b> plain", "B{\"bold\"} \" plain\""},
      {"<B>x</B>", "B{\"x\"}"},
      {"<i>a</i><u>b</u>", "I{\"a\"} U{\"b\"}"},
      {"a<br>b", "\"a\" BR \"b\""},
      {"a<Br>b<p>c<P>", "\"a\" BR \"b\" P \"c\" P"},
      {"<br/>", "<br/>"},
      {"<br />", "<br />"},
      {"<b c>x", "<b c> \"x\""},
      {"<b>x</i> y", "B{\"x\"} \" y\""},
      {"x</b> y", "\"x\""},
      {"<p>text</p> more", "P \"text\""},
      {"a <color=red>b</color> c", "\"a \" <color=red> \"b\""},
      {"a<x>b<br>c</x>d", "\"a\" <x> \"b\" BR \"c\""},
      {"a < b", "\"a \" < >"},
      {"<b>open <i>runs", "B{\"open \" I{\"runs\"}}"},
      {"<u><i>x</b></b>y", "U{I{\"x\"}} \"y\""},
      {"<b>a</b>c<b>", "B{\"a\"} \"c\" B{}"},
      {"abc<", "\"abc\" <>"},
      {"abc</", "\"abc\""},
      {"<link", "<lin>"},
      {"x<b", "\"x\" <>"},
      {"<>x</>y", "<> \"x\""},
      {"a>b", "\"a>b\""},
      {"<link>a</link><LINK>b</link>", "L0{\"a\"} L1{\"b\"}"},
      {"<link>a<link>b</link>c</link>d", "L0{\"a\" L1{\"b\"} \"c\"} \"d\""},
      {"<dynamic>x<dynamic>", "D0{} \"x\" D1{}"},
      {"<dynamic>a</dynamic>b", "D0{} \"a\""},
      {"a\r\nb", "\"ab\""},
      {"a\n\rb", "\"a\n\rb\""},
      {"a\r\r\nb<b\r\n>c", "\"a\rb\" B{\"c\"}"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].text);
    EXPECT_EQ(parseToShape(cases[i].text), cases[i].shape);
  }
}

TEST(MarkupParser, SplitsElementsAndPeeksWithoutConsuming) {
  ElementEnumerator elements("ab<B></x y>c<open");
  struct Expected {
    ElementKind kind;
    const char* text;
  };
  const Expected expected[] = {{ElementKind::Text, "ab"},
                               {ElementKind::BeginTag, "B"},
                               {ElementKind::EndTag, "x y"},
                               {ElementKind::Text, "c"},
                               {ElementKind::BeginTag, "ope"}};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE("element " + std::to_string(i));
    ASSERT_FALSE(elements.isAtEnd());
    const MarkupElement peeked = elements.peek();
    const MarkupElement taken = elements.next();
    EXPECT_EQ(static_cast<int>(peeked.kind), static_cast<int>(expected[i].kind));
    EXPECT_EQ(peeked.text, expected[i].text);
    EXPECT_EQ(static_cast<int>(taken.kind), static_cast<int>(expected[i].kind));
    EXPECT_EQ(taken.text, expected[i].text);
  }
  EXPECT_TRUE(elements.isAtEnd());
  try {
    elements.next();
    FAIL() << "no error past the end";
  } catch (const ParserError& error) {
    EXPECT_STREQ(error.what(), "TElementEnumerator.GetNextElement: No more elements to return");
  }
}

TEST(MarkupParser, ParsesLinesWithoutTheirLineEnds) {
  MarkupParser parser;
  auto tree = parser.parse(std::vector<std::string>{"a<b>", "x\r\n", "</b>c"});
  EXPECT_EQ(describeTree(tree->root()), "\"a\" B{\"x\"} \"c\"");
}

class FixedMarkupHandler final : public DynamicMarkupSource {
 public:
  explicit FixedMarkupHandler(std::string markup) : markup_(std::move(markup)) {}
  std::string dynamicNodeMarkup(const DynamicNode& node) override {
    asked.push_back(node.number());
    std::string markup = markup_;
    const std::size_t hash = markup.find('#');
    if (hash != std::string::npos) markup.replace(hash, 1, std::to_string(node.number()));
    return markup;
  }
  std::vector<int> asked;

 private:
  std::string markup_;
};

TEST(MarkupParser, FillsDynamicTagsFromTheHandler) {
  struct Case {
    const char* text;
    const char* markup;
    const char* shape;
  };
  const Case cases[] = {
      {"<dynamic>-<dynamic>", "<b>n#", "D0{B{\"n0\"}} \"-\" D1{B{\"n1\"}}"},
      {"<link>a</link><dynamic><link>b</link>", "<link>c</link>", "L0{\"a\"} D0{L1{\"c\"}} L2{\"b\"}"},
      {"<b><dynamic>x</b>y", "d</b>ignored", "B{D0{\"d\"} \"x\"} \"y\""},
      {"<dynamic>x", "", "D0{} \"x\""},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].text);
    FixedMarkupHandler handler(cases[i].markup);
    MarkupParser parser;
    parser.setDynamicNodeHandler(&handler);
    EXPECT_EQ(describeTree(parser.parse(cases[i].text)->root()), cases[i].shape);
  }
}

TEST(MarkupParser, StopsAHandlerThatAlwaysAddsDynamicTags) {
  FixedMarkupHandler handler("<dynamic><dynamic><dynamic>");
  MarkupParser parser;
  parser.setDynamicNodeHandler(&handler);
  auto tree = parser.parse("<dynamic>");
  EXPECT_EQ(static_cast<int>(handler.asked.size()), MarkupParser::kMaxDynamicExpansions);
  // Nested no deeper than the limit: follow the first child down.
  int depth = 0;
  const ParentNode* node = &tree->root();
  while (node->childCount() > 0) {
    node = &static_cast<const ParentNode&>(node->child(0));
    ++depth;
  }
  EXPECT_EQ(depth, MarkupParser::kMaxDynamicDepth + 1);
}

TEST(MarkupParser, NumbersAgainForEachTextAndGoesOnWhenAppending) {
  MarkupParser parser;
  parser.parse("<link>a</link><link>b</link>");
  auto tree = parser.parse("<link>c</link>");
  EXPECT_EQ(describeTree(tree->root()), "L0{\"c\"}");
  parser.parseInto(tree->root(), "x<link>d</link></b>lost");
  EXPECT_EQ(describeTree(tree->root()), "L0{\"c\"} \"x\" L1{\"d\"}");
  EXPECT_EQ(tree->root().child(2).parent(), &tree->root());
}

TEST(MarkupParser, HandlesThousandsOfNestedTags) {
  const int depth = 10000;
  std::string text;
  for (int i = 0; i < depth; ++i) text += i % 2 == 0 ? "<b>" : "<link>";
  text += "x";
  MarkupParser parser;
  auto tree = parser.parse(text);
  int levels = 0;
  const MarkupNode* node = &tree->root();
  while (node->isParentNode() && static_cast<const ParentNode*>(node)->childCount() == 1) {
    node = &static_cast<const ParentNode*>(node)->child(0);
    ++levels;
  }
  EXPECT_EQ(levels, depth + 1);
  ASSERT_EQ(node->nodeType(), NodeType::TextNode);
  EXPECT_EQ(tree->linkNodes().size(), static_cast<std::size_t>(depth / 2));
  EXPECT_EQ(collectText(tree->root()), "x");
  tree.reset();  // frees the nested tree without recursion
}

}  // namespace
}  // namespace tovrik

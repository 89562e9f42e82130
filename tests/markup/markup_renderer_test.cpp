// Tests of the markup layout: word wrap, breaks, styles and what is drawn where, on a fixed-width canvas.
#include "markup/markup_renderer.h"

#include <gtest/gtest.h>

#include "markup/fake_canvas.h"
#include "markup/markup_parser.h"

namespace tovrik {
namespace {

using test::FixedWidthCanvas;

struct Rendered {
  std::string drawn;
  int height;
};

Rendered render(const char* text, int width) {
  MarkupParser parser;
  auto tree = parser.parse(text);
  FixedWidthCanvas canvas;
  MarkupRenderer renderer;
  renderer.renderTree(canvas, {0, 0, width, 1000}, *tree);
  return {canvas.drawnText(), renderer.textHeight()};
}

// Characters are 6 px wide (7 in bold), lines 13 px high.
TEST(MarkupWrap, DrawsRunsWhereTheRulesPlaceThem) {
  struct Case {
    const char* text;
    int width;
    const char* drawn;
    int height;
  };
  const Case cases[] = {
      {"", 100, "", 13},
      {"<b>bold</b> plain", 200, R"(0,0[B]"bold" | 28,0" plain")", 13},
      {"<b><i>x</i>y</b>z", 200, R"(0,0[BI]"x" | 7,0[B]"y" | 14,0"z")", 13},
      {"aaa bbb ccc", 50, R"(0,0"aaa bbb" | 0,13"ccc")", 26},
      // Reaching the right edge is enough to wrap.
      {"aaa bb", 36, R"(0,0"aaa" | 0,13"bb")", 26},
      {"aaa bb", 37, R"(0,0"aaa bb")", 13},
      // A word's own trailing blank does not count against the room left.
      {"aaa bbb c", 42, R"(0,0"aaa" | 0,13"bbb c")", 26},
      {"aaa bbb c", 43, R"(0,0"aaa bbb" | 0,13"c")", 26},
      // The three runs of "bold" are judged as one word, each drawn in its own style.
      {"xxxx bo<b>ld</b>ly", 60, R"(0,0"xxxx" | 0,13"bo" | 12,13[B]"ld" | 26,13"ly")", 26},
      {"xxxx bo<b>ld</b>ly", 80, R"(0,0"xxxx bo" | 42,0[B]"ld" | 56,0"ly")", 13},
      {"xxxx bo<b>ld</b>ly", 30, R"(0,0"xxxx" | 0,13"bo" | 12,13[B]"ld" | 26,13"ly")", 26},
      {"bo<b>ld</b>ly", 20, R"(0,0"bo" | 12,0[B]"ld" | 26,0"ly")", 13},
      // An unknown tag draws nothing and does not separate words; the continuing run can wrap as well.
      {"z ab<x>cd ef", 36, R"(0,0"z" | 0,13"ab" | 12,13"cd" | 0,26"ef")", 39},
      // No wrap before a lone blank.
      {"aaaaaa  bb", 36, R"(0,0"aaaaaa" | 0,13"bb")", 26},
      // Tabs do not separate words.
      {"aa\tbb cc", 40, "0,0\"aa\tbb\" | 0,13\"cc\"", 26},
      // An over-wide word gets a line of its own and runs past the edge.
      {"a wwwwwwwwww b", 30, R"(0,0"a" | 0,13"wwwwwwwwww" | 0,26"b")", 39},
      {"wwwwwwwwww b", 30, R"(0,0"wwwwwwwwww" | 0,13"b")", 26},
      // ...but at the start of a later line it first leaves that line empty.
      {"a<br>wwwwwwwwww", 30, R"(0,0"a" | 0,26"wwwwwwwwww")", 39},
      {"a<br>b", 100, R"(0,0"a" | 0,13"b")", 26},
      {"a<p>b", 100, R"(0,0"a" | 0,26"b")", 39},
      {"a<br>", 100, R"(0,0"a")", 26},
      {"a<p>", 100, R"(0,0"a")", 39},
      {"<br><br>", 100, "", 39},
      {"<br/>a<br />", 100, R"(0,0"a")", 13},
      {"x</b> y", 100, R"(0,0"x")", 13},
      {"<p>text</p> more", 100, R"(0,26"text")", 39},
      {"a <color=red>b</color> c", 100, R"(0,0"a " | 12,0"b")", 13},
      {"a < b", 100, R"(0,0"a ")", 13},
      {"<b>ab cd", 200, R"(0,0[B]"ab cd")", 13},
      {"go <link>here</link> now", 200, R"(0,0"go " | 18,0[U]"here" | 42,0" now")", 13},
      // Zero and negative widths put every word on a line of its own, and layout ends.
      {"aa bb cc", 0, R"(0,0"aa" | 0,13"bb" | 0,26"cc")", 39},
      {"aa bb cc", -10, R"(0,0"aa" | 0,13"bb" | 0,26"cc")", 39},
      {"a<br>bb", 0, R"(0,0"a" | 0,26"bb")", 39},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].text + " at width " +
                 std::to_string(cases[i].width));
    const Rendered rendered = render(cases[i].text, cases[i].width);
    EXPECT_EQ(rendered.drawn, cases[i].drawn);
    EXPECT_EQ(rendered.height, cases[i].height);
  }
}

TEST(MarkupWrap, DrawsInTheRootColorAndEveryLinkInTheLinkColorAndRedrawsOneInItsState) {
  MarkupParser parser;
  auto tree = parser.parse("a <link>b</link> <link>c</link>");
  tree->root().setStyleAndColor(FontStyle::Italic, makeColor(1, 2, 3));
  tree->linkNode(1)->setState(LinkState::Hot);
  FixedWidthCanvas canvas;
  MarkupRenderer renderer;
  renderer.setLinkStyle(FontStyle::Bold);
  renderer.renderTree(canvas, {0, 0, 200, 100}, *tree);
  EXPECT_EQ(canvas.drawnText(), R"(0,0[I]"a " | 12,0[BI]"b" | 19,0[I]" " | 25,0[BI]"c")");
  // A full drawing shows the hot link in the link colour too.
  const Color expected[] = {makeColor(1, 2, 3), kBlue, makeColor(1, 2, 3), kBlue};
  ASSERT_EQ(canvas.drawn.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i)
    EXPECT_EQ(canvas.drawn[i].color, expected[i]) << "run " << i;
  canvas.clear();
  renderer.renderNode(canvas, *tree->linkNode(1));
  EXPECT_EQ(canvas.drawnText(), R"(25,0[BI]"c")");
  ASSERT_EQ(canvas.drawn.size(), 1u);
  EXPECT_EQ(canvas.drawn[0].color, kPurple);
}

TEST(MarkupWrap, RecordsPiecesRectanglesAndStartPositions) {
  MarkupParser parser;
  auto tree = parser.parse("ab <link>cd ef</link> bo<b>ld</b>");
  FixedWidthCanvas canvas;
  MarkupRenderer renderer;
  renderer.renderTree(canvas, {0, 0, 40, 100}, *tree);
  ASSERT_EQ(canvas.drawnText(), R"(0,0"ab " | 18,0[U]"cd" | 0,13[U]"ef" | 0,26"bo" | 12,26[B]"ld")");
  LinkNode& link = *tree->linkNode(0);
  EXPECT_EQ(test::describeRects(collectRects(link)), "(18,0,30,13) (0,13,12,26)");
  EXPECT_EQ(link.startPosition(), (Point{18, 0}));
  // The bold node was entered with " bo" still buffered: it starts where its own text was drawn.
  const auto& bold = static_cast<const AreaNode&>(tree->root().child(3));
  EXPECT_EQ(bold.startPosition(), (Point{12, 26}));
  ASSERT_EQ(tree->root().linkAreas().size(), 2u);
  EXPECT_EQ(tree->linkNodeAt({11, 20}), &link);
  EXPECT_EQ(tree->linkNodeAt({12, 12}), nullptr);

  // Drawing the link again uses the recorded places and the colour of its state.
  link.setState(LinkState::Clicked);
  canvas.clear();
  renderer.renderNode(canvas, link);
  EXPECT_EQ(canvas.drawnText(), R"(18,0[U]"cd" | 0,13[U]"ef")");
  for (const auto& drawn : canvas.drawn) EXPECT_EQ(drawn.color, kRed);
}

TEST(MarkupWrap, MeasuresEachWordOnceUntilTheCacheIsCleared) {
  MarkupParser parser;
  auto tree = parser.parse("one two <b>three</b> four");
  FixedWidthCanvas canvas;
  MarkupRenderer renderer;
  renderer.renderTree(canvas, {0, 0, 60, 100}, *tree);
  const std::string first = canvas.drawnText();
  // Line height, then each node's words and blank: 1 + (2 + 1) + (1 + 1) + (2 + 1).
  EXPECT_EQ(canvas.measureCalls, 9);
  canvas.clear();
  renderer.renderTree(canvas, {0, 0, 60, 100}, *tree);
  EXPECT_EQ(canvas.measureCalls, 1);
  EXPECT_EQ(canvas.drawnText(), first);
  canvas.clear();
  tree->clearWordCaches();
  renderer.renderTree(canvas, {0, 0, 60, 100}, *tree);
  EXPECT_EQ(canvas.measureCalls, 9);
}

TEST(MarkupWrap, StringNodeRejectsAWordIndexOutOfBounds) {
  TextNode node("ab cd");
  FixedWidthCanvas canvas;
  node.measureWords(canvas, FontStyle::Normal);
  ASSERT_EQ(node.wordCount(), 2u);
  EXPECT_EQ(node.wordInfo(0).width, 18);
  EXPECT_TRUE(node.wordInfo(0).endsWithBlank);
  try {
    node.wordInfo(2);
    FAIL() << "no error";
  } catch (const NodeError& error) {
    EXPECT_STREQ(error.what(), "TStringNode.GetWordInfo: Index out of bounds");
  }
}

}  // namespace
}  // namespace tovrik

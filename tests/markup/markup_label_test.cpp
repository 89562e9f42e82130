// Tests of the markup label's core: text, automatic height, painting, links and their mouse states.
#include "markup/markup_label.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "markup/fake_canvas.h"

namespace tovrik {
namespace {

using test::describeRects;
using test::FixedWidthCanvas;

TEST(MarkupLabel, StartsWithItsDefaults) {
  MarkupLabel label;
  EXPECT_EQ(label.caption(), "");
  EXPECT_EQ(label.linkColor(), kBlue);
  EXPECT_EQ(label.linkColorClicked(), kRed);
  EXPECT_EQ(label.linkColorHot(), kPurple);
  EXPECT_EQ(label.linkStyle(), FontStyle::Underline);
  EXPECT_FALSE(label.hotLinks());
  EXPECT_TRUE(label.autoHeight());
  EXPECT_EQ(label.marginWidth(), 0);
  EXPECT_EQ(label.marginHeight(), 0);
  EXPECT_FALSE(label.transparent());
  EXPECT_EQ(label.width(), 160);
  EXPECT_EQ(label.height(), 17);
}

TEST(MarkupLabel, AutoHeightIsLinesTimesLineHeight) {
  struct Case {
    const char* caption;
    int width;
    Alignment align;
    bool autoHeight;
    int height;
  };
  const Case cases[] = {
      {"", 160, Alignment::None, true, 13},         {"a<br>b", 160, Alignment::None, true, 26},
      {"a<p>b", 160, Alignment::None, true, 39},    {"a<br>", 160, Alignment::None, true, 26},
      {"a<p>", 160, Alignment::None, true, 39},     {"aaaa bbbb cccc", 60, Alignment::None, true, 26},
      {"a<br>b", 160, Alignment::Top, true, 26},    {"a<br>b", 160, Alignment::Bottom, true, 26},
      {"a<br>b", 160, Alignment::Left, true, 17},   {"a<br>b", 160, Alignment::Right, true, 17},
      {"a<br>b", 160, Alignment::Client, true, 17}, {"a<br>b", 160, Alignment::None, false, 17},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].caption);
    MarkupLabel label;
    label.setSize(cases[i].width, 17);
    label.setAlign(cases[i].align);
    label.setAutoHeight(cases[i].autoHeight);
    label.setCaption(cases[i].caption);
    FixedWidthCanvas canvas;
    label.paint(canvas);
    EXPECT_EQ(label.height(), cases[i].height);
  }
}

TEST(MarkupLabel, LaysOutInsideTheMargins) {
  MarkupLabel label;
  label.setSize(30, 17);
  label.setMarginWidth(5);
  label.setMarginHeight(3);
  label.setCaption("aa bb");
  FixedWidthCanvas canvas;
  label.paint(canvas);
  EXPECT_EQ(canvas.drawnText(), R"(5,3"aa" | 5,16"bb")");
  EXPECT_EQ(label.height(), 3 + 26 + 3);
}

TEST(MarkupLabel, FillsItsAreaUnlessTransparent) {
  MarkupLabel label;
  label.setColor(makeColor(9, 8, 7));
  label.setCaption("x");
  FixedWidthCanvas canvas;
  label.paint(canvas);
  EXPECT_EQ(describeRects(canvas.fills), "(0,0,160,17)");
  ASSERT_EQ(canvas.fillColors.size(), 1u);
  EXPECT_EQ(canvas.fillColors[0], makeColor(9, 8, 7));
  EXPECT_EQ(canvas.drawnText(), R"(0,0"x")");
  canvas.clear();
  label.setTransparent(true);
  label.paint(canvas);
  EXPECT_TRUE(canvas.fills.empty());
  EXPECT_EQ(canvas.drawnText(), R"(0,0"x")");
}

TEST(MarkupLabel, LayoutSizesWithoutDrawing) {
  MarkupLabel label;
  label.setCaption("<link>a</link><br>b");
  FixedWidthCanvas canvas;
  label.layout(canvas);
  EXPECT_TRUE(canvas.drawn.empty());
  EXPECT_TRUE(canvas.fills.empty());
  EXPECT_EQ(label.height(), 26);
  EXPECT_EQ(label.linkAt({1, 1}), 0);
}

TEST(MarkupLabel, SetsTheCaptionOnlyWhenItChanges) {
  MarkupLabel label;
  int changes = 0;
  label.setOnCaptionChanged([&changes] { ++changes; });
  EXPECT_TRUE(label.setCaption("a<b>b</b>"));
  EXPECT_FALSE(label.setCaption("a<b>b</b>"));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(label.text(), std::vector<std::string>{"a<b>b</b>"});
  EXPECT_TRUE(label.setText({"one\r\n", "<br>two"}));
  EXPECT_EQ(label.caption(), "one<br>two");
  EXPECT_EQ(changes, 2);
  // Line ends inside a caption vanish when it is parsed.
  label.setCaption("x\r\ny");
  FixedWidthCanvas canvas;
  label.paint(canvas);
  EXPECT_EQ(canvas.drawnText(), R"(0,0"xy")");
}

TEST(MarkupLabel, FontChangeRestylesAndMeasuresAgain) {
  MarkupLabel label;
  label.setCaption("ab cd");
  FixedWidthCanvas canvas;
  label.paint(canvas);
  canvas.clear();
  label.paint(canvas);
  EXPECT_EQ(canvas.measureCalls, 1);  // the line height only
  canvas.clear();
  label.setFont(FontStyle::Bold, makeColor(1, 2, 3));
  label.paint(canvas);
  EXPECT_EQ(canvas.measureCalls, 4);
  EXPECT_EQ(canvas.drawnText(), R"(0,0[B]"ab cd")");
  ASSERT_EQ(canvas.drawn.size(), 1u);
  EXPECT_EQ(canvas.drawn[0].color, makeColor(1, 2, 3));
  // A new text keeps the font.
  canvas.clear();
  label.setCaption("x");
  label.paint(canvas);
  EXPECT_EQ(canvas.drawnText(), R"(0,0[B]"x")");
}

TEST(MarkupLabel, FillsDynamicTagsFromItsEvent) {
  MarkupLabel label;
  std::vector<int> asked;
  label.setOnDynamicTagInit([&asked](int number) {
    asked.push_back(number);
    return number == 0 ? std::string("<b>dyn</b>") : std::string();
  });
  label.setCaption("x <dynamic> <dynamic>y");
  FixedWidthCanvas canvas;
  label.paint(canvas);
  EXPECT_EQ(asked, (std::vector<int>{0, 1}));
  EXPECT_EQ(canvas.drawnText(), R"(0,0"x " | 12,0[B]"dyn" | 33,0" " | 39,0"y")");
}

// "one" is drawn at 0..18, " and " at 18..48, "two" at 48..66; every line 13 high.
class MarkupLinks : public ::testing::Test {
 protected:
  void SetUp() override {
    label.setCaption("<link>one</link> and <link>two</link>");
    label.setOnLinkClick([this](int number, const std::string& text) { clicks.emplace_back(number, text); });
    label.paint(canvas);
    canvas.clear();
  }
  // The colours on screen once the areas the mouse operations handed back are repainted: the text as a
  // full paint draws it, then the pressed or lit link in its state's colour.
  std::string paintedColors() {
    canvas.clear();
    label.paint(canvas);
    label.paintLinkStates(canvas);
    return colorsDrawn();
  }
  std::string fullRepaintColors() {
    canvas.clear();
    label.paint(canvas);
    return colorsDrawn();
  }
  // One letter per place drawn, in the order first drawn there; a later drawing at the same place (a
  // link redrawn in its state's colour) covers the earlier one.
  std::string colorsDrawn() const {
    std::vector<std::pair<Point, Color>> places;
    for (const auto& drawn : canvas.drawn) {
      const Point at{drawn.x, drawn.y};
      auto place = std::find_if(places.begin(), places.end(), [&](const auto& p) { return p.first == at; });
      if (place == places.end()) places.emplace_back(at, drawn.color);
      else place->second = drawn.color;
    }
    std::string result;
    for (const auto& [at, color] : places)
      result += color == kBlue     ? "B"
                : color == kRed    ? "R"
                : color == kPurple ? "P"
                                    : "-";
    return result;
  }

  MarkupLabel label;
  FixedWidthCanvas canvas;
  std::vector<std::pair<int, std::string>> clicks;
};

TEST_F(MarkupLinks, NumbersLinksAndHitTestsTheirText) {
  struct Case {
    Point point;
    int link;
  };
  const Case cases[] = {{{0, 0}, 0},  {{17, 12}, 0}, {{18, 0}, -1}, {{17, 13}, -1}, {{30, 5}, -1},
                        {{48, 0}, 1}, {{65, 12}, 1}, {{66, 5}, -1}, {{-1, 5}, -1}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i));
    EXPECT_EQ(label.linkAt(cases[i].point), cases[i].link);
  }
  EXPECT_EQ(label.linkText(0), "one");
  EXPECT_EQ(label.linkText(1), "two");
  EXPECT_EQ(describeRects(label.linkRects(1)), "(48,0,66,13)");
}

TEST_F(MarkupLinks, LinkSplitOverTwoLinesIsClickableOnBoth) {
  label.setSize(40, 17);
  label.setCaption("ab <link>cd <b>e</b>f</link>");
  label.paint(canvas);
  EXPECT_EQ(describeRects(label.linkRects(0)), "(18,0,36,13) (0,13,7,26) (7,13,13,26)");
  EXPECT_EQ(label.linkAt({20, 5}), 0);
  EXPECT_EQ(label.linkAt({5, 20}), 0);
  EXPECT_EQ(label.linkAt({15, 5}), -1);
  label.mouseUp({5, 20});
  EXPECT_EQ(clicks, (std::vector<std::pair<int, std::string>>{{0, "cd ef"}}));
}

TEST_F(MarkupLinks, HotLinksLightUpUnderThePointer) {
  EXPECT_TRUE(label.mouseMove({5, 5}).empty()) << "hot links are off";
  EXPECT_EQ(label.hotLink(), -1);
  label.setHotLinks(true);
  struct Step {
    const char* action;
    Point point;
    const char* invalidated;
    int hot;
    const char* colors;
  };
  const Step steps[] = {
      {"move", {5, 5}, "(0,0,18,13)", 0, "P-B"},
      {"move", {6, 6}, "", 0, "P-B"},
      {"move", {50, 5}, "(0,0,18,13) (48,0,66,13)", 1, "B-P"},
      {"move", {30, 5}, "(48,0,66,13)", -1, "B-B"},
      {"move", {50, 5}, "(48,0,66,13)", 1, "B-P"},
      {"leave", {}, "(48,0,66,13)", -1, "B-B"},
      {"leave", {}, "", -1, "B-B"},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE("step " + std::to_string(i) + ": " + steps[i].action);
    const std::string action = steps[i].action;
    const std::vector<Rect> invalidated =
        action == "move" ? label.mouseMove(steps[i].point) : label.mouseLeave();
    EXPECT_EQ(describeRects(invalidated), steps[i].invalidated);
    EXPECT_EQ(label.hotLink(), steps[i].hot);
    EXPECT_EQ(paintedColors(), steps[i].colors);
  }
  label.mouseMove({5, 5});
  label.setHotLinks(false);
  EXPECT_EQ(label.hotLink(), -1);
  EXPECT_EQ(paintedColors(), "B-B");
  EXPECT_TRUE(clicks.empty());
}

TEST_F(MarkupLinks, PressHoldsALinkAndReleaseClicks) {
  label.setHotLinks(true);
  struct Step {
    const char* action;
    Point point;
    const char* invalidated;
    int clicked;
    const char* colors;
    std::size_t clicks;
  };
  const Step steps[] = {
      {"move", {5, 5}, "(0,0,18,13)", -1, "P-B", 0},
      {"down", {5, 5}, "(0,0,18,13)", 0, "R-B", 0},
      // While a link is held, nothing else lights up.
      {"move", {50, 5}, "", 0, "R-B", 0},
      {"up", {5, 5}, "(0,0,18,13)", -1, "B-B", 1},
      {"down", {30, 5}, "", -1, "B-B", 1},
      // Released over a link after a press elsewhere: still a click.
      {"up", {50, 5}, "", -1, "B-B", 2},
      {"down", {50, 5}, "(48,0,66,13)", 1, "B-R", 2},
      // Pressed on one link, released on the other: the other is clicked, the held one is let go.
      {"up", {5, 5}, "(48,0,66,13)", -1, "B-B", 3},
      {"up", {30, 5}, "", -1, "B-B", 3},
  };
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE("step " + std::to_string(i) + ": " + steps[i].action);
    const std::string action = steps[i].action;
    std::vector<Rect> invalidated;
    if (action == "move") invalidated = label.mouseMove(steps[i].point);
    if (action == "down") invalidated = label.mouseDown(steps[i].point);
    if (action == "up") invalidated = label.mouseUp(steps[i].point);
    EXPECT_EQ(describeRects(invalidated), steps[i].invalidated);
    EXPECT_EQ(label.clickedLink(), steps[i].clicked);
    EXPECT_EQ(paintedColors(), steps[i].colors);
    EXPECT_EQ(clicks.size(), steps[i].clicks);
  }
  EXPECT_EQ(clicks, (std::vector<std::pair<int, std::string>>{{0, "one"}, {1, "two"}, {0, "one"}}));
}

TEST_F(MarkupLinks, AFullRepaintDrawsEveryLinkInLinkColor) {
  label.setHotLinks(true);
  label.mouseMove({5, 5});
  ASSERT_EQ(label.hotLink(), 0);
  EXPECT_EQ(fullRepaintColors(), "B-B");
  EXPECT_EQ(paintedColors(), "P-B");
  label.mouseDown({50, 5});
  ASSERT_EQ(label.clickedLink(), 1);
  EXPECT_EQ(fullRepaintColors(), "B-B");
  EXPECT_EQ(paintedColors(), "B-R");
}

TEST_F(MarkupLinks, PressedLinkReturnsToNormalWhenReleasedOutsideOrWhenTheCaptureIsLost) {
  struct Case {
    const char* how;
    Point released;  // where the button went up; unused when the capture was lost instead
  };
  const Case cases[] = {{"up", {200, 50}}, {"up", {30, 5}}, {"up", {-40, -3}}, {"lost", {}}};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("case " + std::to_string(i) + ": " + cases[i].how);
    EXPECT_EQ(describeRects(label.mouseDown({5, 5})), "(0,0,18,13)");
    EXPECT_EQ(paintedColors(), "R-B");
    const std::string how = cases[i].how;
    const std::vector<Rect> changed = how == "up" ? label.mouseUp(cases[i].released) : label.releaseActiveLink();
    EXPECT_EQ(describeRects(changed), "(0,0,18,13)");
    EXPECT_EQ(label.clickedLink(), -1);
    EXPECT_EQ(paintedColors(), "B-B");
    EXPECT_TRUE(label.releaseActiveLink().empty()) << "nothing is held any more";
  }
  EXPECT_TRUE(clicks.empty());
}

TEST_F(MarkupLinks, RedrawsOneLinkInItsStateColor) {
  label.mouseDown({50, 5});
  label.renderLink(canvas, 1);
  EXPECT_EQ(canvas.drawnText(), R"(48,0[U]"two")");
  ASSERT_EQ(canvas.drawn.size(), 1u);
  EXPECT_EQ(canvas.drawn[0].color, kRed);
}

TEST_F(MarkupLinks, NewCaptionForgetsTheActiveLink) {
  label.mouseDown({5, 5});
  ASSERT_EQ(label.clickedLink(), 0);
  // A click handler that replaces the text must leave the label usable.
  label.setOnLinkClick([this](int number, const std::string& text) {
    clicks.emplace_back(number, text);
    label.setCaption("<link>new</link>");
  });
  EXPECT_EQ(describeRects(label.mouseUp({5, 5})), "(0,0,18,13)");
  EXPECT_EQ(label.caption(), "<link>new</link>");
  EXPECT_EQ(label.clickedLink(), -1);
  EXPECT_EQ(paintedColors(), "B");
  label.mouseDown({5, 5});
  label.setCaption("<link>again</link>");
  EXPECT_EQ(label.clickedLink(), -1);
  EXPECT_EQ(paintedColors(), "B");
  EXPECT_TRUE(label.mouseUp({5, 5}).empty());
}

TEST(MarkupRobustness, LaysOutLongAndDeeplyNestedTexts) {
  std::string nested;
  for (int i = 0; i < 10000; ++i) nested += i % 3 == 0 ? "<link>" : i % 3 == 1 ? "<b>" : "<i>";
  nested += "deep text";
  std::string longText;
  while (longText.size() < 30000) longText += "word <b>bold</b>er <link>link text</link><br>x<unknown> ";
  for (const std::string& caption : {nested, longText}) {
    for (int width : {-50, 0, 1, 5, 160}) {
      SCOPED_TRACE("width " + std::to_string(width) + ", caption of " + std::to_string(caption.size()));
      MarkupLabel label;
      label.setSize(width, 17);
      label.setHotLinks(true);
      label.setCaption(caption);
      FixedWidthCanvas canvas;
      label.paint(canvas);
      EXPECT_GE(label.height(), 13);
      EXPECT_FALSE(canvas.drawn.empty());
      const Point first{canvas.drawn.front().x, canvas.drawn.front().y};
      label.mouseMove(first);
      label.mouseDown(first);
      label.mouseUp(first);
      label.mouseLeave();
    }
  }
}

}  // namespace
}  // namespace tovrik

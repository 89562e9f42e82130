// The clipboard commands and the nesting session over the fake clipboard: the order of the platform
// calls, the memory blocks left behind, and what the clipboard holds afterwards.
#include "platform/clipboard_session.h"
#include "system/clipboard_commands.h"

#include <gtest/gtest.h>

#include "support/fake_services.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using Lines = std::vector<std::string>;
using fakes::run;

TEST(ClipboardSetText, ReplacesTheContentsByOneTextBlockWithItsNul) {
  const std::string longText(30000, 'z');
  const std::pair<std::string, std::string> cases[] = {
      {"hello", "hello"}, {"NULL", ""}, {"100% & <b>", "100% & <b>"}, {longText, longText}};
  for (const auto& [argument, text] : cases) {
    SCOPED_TRACE(argument.substr(0, 20));
    fakes::FakeServices services;
    services.clip.contents = {{2, "bitmap"}, {1, std::string("old\0", 4)}};
    EXPECT_EQ(run(services, {"clipboardsettext", argument}), Lines{});
    EXPECT_EQ(services.clip.contents, (std::map<std::uint32_t, std::string>{{1, text + '\0'}}));
    const Lines calls = {"open", "alloc " + std::to_string(text.size() + 1), "empty", "set 1", "close"};
    EXPECT_EQ(services.clip.calls, calls);
    EXPECT_TRUE(services.clip.liveBlocks.empty());
    EXPECT_FALSE(services.clip.isOpen);
  }
}

TEST(ClipboardSetText, EveryFailureLeavesTheClipboardClosedAndNoBlockBehind) {
  struct Row {
    const char* what;
    void (*setUp)(fakes::FakeClipboard&);
    Lines calls;
    bool oldContentsStay;
  };
  const Row rows[] = {
      {"held by another program", [](fakes::FakeClipboard& c) { c.heldByAnother = true; }, {"open"}, true},
      {"allocation refused", [](fakes::FakeClipboard& c) { c.refuseAllocation = true; },
       {"open", "alloc 3", "close"}, true},
      {"lock refused", [](fakes::FakeClipboard& c) { c.refuseLock = true; },
       {"open", "alloc 3", "free", "close"}, true},
      {"data refused", [](fakes::FakeClipboard& c) { c.refuseSetData = true; },
       {"open", "alloc 3", "empty", "set 1", "free", "close"}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    fakes::FakeServices services;
    services.clip.contents = {{1, std::string("old\0", 4)}};
    row.setUp(services.clip);
    EXPECT_EQ(run(services, {"clipboardsettext", "hi"}), Lines{"ERROR=1"});
    EXPECT_EQ(services.clip.calls, row.calls);
    EXPECT_TRUE(services.clip.liveBlocks.empty());
    EXPECT_FALSE(services.clip.isOpen);
    EXPECT_EQ(services.clip.contents.count(1), row.oldContentsStay ? 1u : 0u);
  }
  fakes::FakeServices services;
  EXPECT_EQ(run(services, {"clipboardsettext"}), Lines{"ERROR=1"}) << "missing text";
  EXPECT_TRUE(services.clip.calls.empty());
}

TEST(ClipboardGetText, TextUpToItsNulOrEmpty) {
  const std::pair<std::map<std::uint32_t, std::string>, std::string> cases[] = {
      {{{1, std::string("hello\0junk", 10)}}, "CLIPBOARD=hello"},
      {{{1, "two\r\nlines"}}, "CLIPBOARD=two\r\nlines"},
      {{{2, "bitmap"}}, "CLIPBOARD="},
      {{}, "CLIPBOARD="},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    fakes::FakeServices services;
    services.clip.contents = cases[i].first;
    EXPECT_EQ(run(services, {"clipboardgettext"}), Lines{cases[i].second});
    EXPECT_EQ(services.clip.calls, (Lines{"open", "get 1", "close"}));
  }
  fakes::FakeServices services;
  services.clip.heldByAnother = true;
  EXPECT_EQ(run(services, {"clipboardgettext"}), Lines{"ERROR=1"});
}

TEST(EmptyClipboard, OpensEmptiesAndClosesOrLeavesAHeldClipboardAlone) {
  fakes::FakeServices services;
  services.clip.contents = {{1, std::string("x\0", 2)}, {2, "bitmap"}};
  EXPECT_EQ(run(services, {"emptyclipboard"}), Lines{});
  EXPECT_TRUE(services.clip.contents.empty());
  EXPECT_EQ(services.clip.calls, (Lines{"open", "empty", "close"}));

  fakes::FakeServices held;
  held.clip.heldByAnother = true;
  held.clip.contents = {{2, "bitmap"}};
  EXPECT_EQ(run(held, {"emptyclipboard"}), Lines{});
  EXPECT_EQ(held.clip.contents.size(), 1u);
  EXPECT_EQ(held.clip.calls, Lines{"open"});
}

TEST(ClipboardSession, NestedOpensOpenOnceEmptyOnceAndCloseAtTheOutermost) {
  fakes::FakeClipboard clipboard;
  clipboard.contents = {{2, "bitmap"}};
  {
    ClipboardSession session(clipboard);
    ASSERT_TRUE(session.open());
    session.setText("a");
    session.setText("bc");
    EXPECT_TRUE(clipboard.isOpen) << "the outer open still holds it";
    EXPECT_EQ(session.text(), "bc");
    session.close();
    EXPECT_FALSE(clipboard.isOpen);
    session.close();  // one close too many does nothing
    session.setText("d");
  }
  const Lines calls = {"open", "alloc 2", "empty", "set 1", "alloc 3", "set 1", "get 1", "close",
                       "open", "alloc 2", "empty", "set 1", "close"};
  EXPECT_EQ(clipboard.calls, calls);
  EXPECT_EQ(clipboard.contents, (std::map<std::uint32_t, std::string>{{1, std::string("d\0", 2)}}));
}

}  // namespace
}  // namespace tovrik

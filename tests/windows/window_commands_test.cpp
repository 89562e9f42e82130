// The window commands against a fake desktop: which window each finds, what it sends, posts or hides,
// and the lines it reports.
#include <gtest/gtest.h>

#include "support/run_command.h"
#include "windows/send_keys_api.h"

namespace tovrik {
namespace {

using fakes::Case;
using fakes::FakeServices;
using fakes::SentMessage;
using Strings = std::vector<std::string>;

const std::string kLongTitle = "Rapport " + std::string(71, '-') + "FIN" + std::string(18, '.');  // 100
const std::string kLongerTitle = std::string(260, 'L') + std::string(40, 'R');                    // 300

// The desktop in enumeration order: a title holding "Bar" comes before the window titled "Bar".
void addDesktop(FakeServices& services) {
  services.windows.desktop = {
      {0x101, "Calculatrice", "CalcFrame"},
      {0x102, "xx Bar xx", "Other"},
      {0x103, "Bar", "Other"},
      {0x104, kLongTitle, "Report"},
      {0x105, "Fen\xEAtre cach\xE9" "e", "Hidden", true},
      {0x106, kLongerTitle, "Long"},
      {0x80000001, "Top bit", "High"},
  };
}

class WindowCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    forgetLastFoundWindowHandle();
    addDesktop(services);
  }
  void TearDown() override { forgetLastFoundWindowHandle(); }
  FakeServices services;
};

TEST_F(WindowCommands, FinderTakesTheWholeTitleFirstThenAPartOfTheFirst79Characters) {
  expectCases(services, {
      // "FIN" sits at characters 80 to 82: only the whole title finds it.
      {{"findwinhandle", "-FIN"}, {"HANDLE=0"}},
      {{"findwinhandle", "BAR X"}, {"HANDLE=258"}},
      {{"findwinhandle", "Bar"}, {"HANDLE=259"}},
      {{"findwinhandle", "calcul"}, {"HANDLE=257"}},
      {{"findwinhandle", "cach\xE9"}, {"HANDLE=261"}},
      {{"findwinhandle", "Rapport ---"}, {"HANDLE=260"}},
      {{"findwinhandle", kLongTitle}, {"HANDLE=260"}},
      {{"findwinhandle", "top BIT"}, {"HANDLE=2147483649"}},
      {{"findwinhandle", "R"}, {"HANDLE=257"}},
      {{"findwinhandle"}, {"ERROR=1"}},
  });
  EXPECT_TRUE(services.windows.calls.empty()) << "findwinhandle must not activate";
}

TEST_F(WindowCommands, FinderReportsTheLastFoundWindowAndEmptyTextNeverMatchesAPart) {
  expectCases(services, {{{"findwinhandle", "nothing like it"}, {"HANDLE=0"}}, {{"findwinhandle", "NULL"}, {"HANDLE=0"}}});
  // Within one process a later miss keeps the window found before.
  expectCases(services, {{{"findwinhandle", "Bar"}, {"HANDLE=259"}}, {{"findwinhandle", "zzz"}, {"HANDLE=259"}}});
}

TEST_F(WindowCommands, AnErrorWhileFindingIsAMissThatKeepsTheLastFoundWindow) {
  // 0x102 comes before "Bar" in the enumeration; an error reading its text ends the search.
  services.windows.unreadable = {0x102};
  for (const std::string word : {"findwinhandle", "winactivate"}) {
    SCOPED_TRACE(word);
    forgetLastFoundWindowHandle();
    expectCases(services, {
        {{word, "Bar"}, {"HANDLE=259"}},          // the exact title: no enumeration
        {{word, "ba"}, {"HANDLE=259"}},           // the error: a miss, the window found before stays
        {{"findwinhandle", "Calcul"}, {"HANDLE=257"}},  // the first window still reads
    });
    EXPECT_FALSE(findWindowByTitle(services.windows, "ba", word == "winactivate"));
    EXPECT_EQ(lastFoundWindowHandle(), 257u);
  }
}

TEST_F(WindowCommands, ActivationRestoresAndBringsToTheFront) {
  expectCases(services, {{{"winactivate", "calc"}, {"HANDLE=257"}}});
  EXPECT_EQ(services.windows.calls, (Strings{"send 257 274", "send 257 274", "foreground 257"}));
  ASSERT_EQ(services.windows.sent.size(), 2u);
  EXPECT_EQ(services.windows.sent[0].wParam, 0xF150u);
  EXPECT_EQ(services.windows.sent[0].lParam, 0x101);
  EXPECT_EQ(services.windows.sent[1].wParam, 0xF120u);
  EXPECT_EQ(services.windows.sent[1].lParam, 0x101);

  services.windows.calls.clear();
  expectCases(services, {{{"winactivate", "zzz"}, {"HANDLE=257"}}});
  EXPECT_TRUE(services.windows.calls.empty());
}

TEST_F(WindowCommands, FindWindowIsExactAndAsksTwice) {
  expectCases(services, {
      {{"findwindow", "Bar"}, {"WINHANDLE=259"}},
      {{"findwindow", "bar"}, {"WINHANDLE=259"}},
      {{"findwindow", "Ba"}, {"WINHANDLE=0"}},
      {{"findwindowclass", "calcframe"}, {"WINHANDLE=257"}},
      {{"findwindowclass", "High"}, {"WINHANDLE=2147483649"}},
      {{"findwindowclass", "Calc"}, {"WINHANDLE=0"}},
      {{"findwindow"}, {"ERROR=1"}},
      {{"findwindowclass"}, {"ERROR=1"}},
  });
  EXPECT_EQ(services.windows.lookups,
            (Strings{"Bar", "Bar", "bar", "bar", "Ba", "class calcframe", "class calcframe", "class High",
                     "class High", "class Calc"}));
}

TEST_F(WindowCommands, HandlesAreIntegerText) {
  expectCases(services, {
      {{"closewin", "257"}, {}},
      {{"closewin", "$80000001"}, {}},
      {{"closewin", "0x102"}, {}},
      {{"closewin", "2147483649"}, {"ERROR=1"}},
      {{"closewin", "$100000000"}, {"ERROR=1"}},
      {{"closewin", "257 "}, {"ERROR=1"}},
      {{"closewin", "NULL"}, {"ERROR=1"}},
      {{"closewin"}, {"ERROR=1"}},
      {{"hidewin", "259"}, {}},
      {{"hidewin", "259h"}, {"ERROR=1"}},
      {{"hidewin", "fen"}, {"ERROR=1"}},
      {{"hidewin"}, {"ERROR=1"}},
  });
  const std::vector<SentMessage> sent = services.windows.sent;
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0].window, 0x101u);
  EXPECT_EQ(sent[1].window, 0x80000001u);
  EXPECT_EQ(sent[2].window, 0x102u);
  for (const SentMessage& message : sent) {
    EXPECT_EQ(message.message, 0x10u);
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_EQ(message.lParam, 0);
  }
  EXPECT_EQ(services.windows.calls.back(), "hide 259");
  EXPECT_TRUE(services.windows.desktop[2].hidden);
}

TEST_F(WindowCommands, GetWindowTextReadsAtMost254Characters) {
  expectCases(services, {
      {{"getwindowtext", "257"}, {"TEXT=Calculatrice"}},
      {{"getwindowtext", "262"}, {"TEXT=" + kLongerTitle.substr(0, 254)}},
      {{"getwindowtext", "260"}, {"TEXT=" + kLongTitle}},
      {{"getwindowtext", "999"}, {"TEXT="}},
      {{"getwindowtext", "abc"}, {"ERROR=1"}},
      {{"getwindowtext"}, {"ERROR=1"}},
  });
}

TEST_F(WindowCommands, PostMessageTakesFourIntegers) {
  expectCases(services, {
      {{"postmessage", "257", "$10", "0", "0"}, {"INQUEUE=1"}},
      {{"postmessage", "65535", "$0112", "$F060", "-1"}, {"INQUEUE=1"}},
      {{"postmessage", "258", "1024", "$FFFFFFFF", "$FFFFFFFF"}, {"INQUEUE=1"}},
      {{"postmessage", "999", "16", "0", "0"}, {"INQUEUE=0"}},
      {{"postmessage", "257", "16a", "0", "0"}, {"ERROR=1"}},
      {{"postmessage", "257", "16", "z", "0"}, {"ERROR=1"}},
      {{"postmessage", "257", "16", "0", "0x"}, {"ERROR=1"}},
      {{"postmessage", "x", "16", "0", "0"}, {"ERROR=1"}},
      {{"postmessage", "257", "16", "0"}, {"ERROR=1"}},
  });
  const std::vector<SentMessage>& posted = services.windows.posted;
  ASSERT_EQ(posted.size(), 4u);
  EXPECT_EQ(posted[0].window, 0x101u);
  EXPECT_EQ(posted[0].message, 16u);
  EXPECT_EQ(posted[1].window, 0xFFFFu);
  EXPECT_EQ(posted[1].message, 0x112u);
  EXPECT_EQ(posted[1].wParam, 0xF060u);
  EXPECT_EQ(posted[1].lParam, -1);
  EXPECT_EQ(posted[2].wParam, 0xFFFFFFFFu);
  EXPECT_EQ(posted[2].lParam, -1);
  EXPECT_EQ(posted[3].window, 999u);
}

TEST_F(WindowCommands, SendKeysTypesIntoTheSinkAndReportsNothing) {
  expectCases(services, {
      {{"sendkeys", "+ab"}, {}},
      {{"sendkeyswait", "~"}, {}},
      {{"sendkeys", "{F99}"}, {}},
      {{"sendkeys", "+(x{ENTER q}"}, {"ERROR=1"}},
      {{"sendkeys"}, {"ERROR=1"}},
  });
  EXPECT_EQ(services.keys.calls,
            (Strings{"down 10", "down 41", "up 41", "up 10", "down 42", "up 42", "down 0D", "pump", "up 0D", "pump",
                     "box Invalid Key Name", "down 10", "down 58", "up 58", "up 10"}));
  EXPECT_TRUE(services.keys.keysDown.empty());
}

}  // namespace
}  // namespace tovrik

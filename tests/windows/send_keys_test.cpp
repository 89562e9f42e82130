// The keystroke engine: the exact key events of each key string, its message boxes, and that no
// modifier is left down however the string ends.
#include <gtest/gtest.h>

#include "command/error.h"
#include "support/fake_key_sink.h"
#include "windows/send_keys_api.h"

namespace tovrik {
namespace {

using fakes::KeyEvent;
using fakes::RecordingKeySink;
using Events = std::vector<KeyEvent>;
using Strings = std::vector<std::string>;

// The fake's scan code of a virtual key.
std::uint8_t scan(std::uint8_t key) { return static_cast<std::uint8_t>(key ^ 0x80); }
KeyEvent down(std::uint8_t key) { return {key, scan(key), 0}; }
KeyEvent up(std::uint8_t key) { return {key, scan(key), kKeyEventKeyUp}; }
// A key pressed and released.
Events tap(std::uint8_t key, int times = 1) {
  Events events;
  for (int i = 0; i < times; ++i) events.insert(events.end(), {down(key), up(key)});
  return events;
}
Events extendedTap(std::uint8_t key) {
  return {{key, scan(key), kKeyEventExtended}, {key, scan(key), kKeyEventExtended | kKeyEventKeyUp}};
}
Events shifted(std::uint8_t key) { return {down(0x10), down(key), up(key), up(0x10)}; }
Events join(std::initializer_list<Events> parts) {
  Events all;
  for (const Events& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

void expectNothingHeld(const RecordingKeySink& sink) {
  for (const std::uint8_t modifier : {0x10, 0x11, 0x12})
    EXPECT_EQ(sink.keysDown.count(modifier), 0u) << "modifier " << int(modifier) << " still down";
}

constexpr std::uint8_t kShift = 0x10, kCtrl = 0x11, kAlt = 0x12, kEnter = 0x0D;

TEST(sendKeys, KeyEventsOfEachString) {
  struct Case {
    std::string keys;
    Events events;
    Strings messages;
    bool result;
  };
  const Case cases[] = {
      {"", {}, {}, false},
      {"+abc", join({shifted('A'), tap('B'), tap('C')}), {}, true},
      {"+(abc)", join({{down(kShift)}, tap('A'), tap('B'), tap('C'), {up(kShift)}}), {}, true},
      {"^(ac)", join({{down(kCtrl)}, tap('A'), tap('C'), {up(kCtrl)}}), {}, true},
      {"^c", join({{down(kCtrl)}, tap('C'), {up(kCtrl)}}), {}, true},
      {"%f", join({{down(kAlt)}, tap('F'), {up(kAlt)}}), {}, true},
      {"+^a", join({{down(kShift), down(kCtrl)}, tap('A'), {up(kShift), up(kCtrl)}}), {}, true},
      // Groups do not nest: the first ")" ends the group.
      {"+((ab)c", join({{down(kShift)}, tap('A'), tap('B'), {up(kShift)}, tap('C')}), {}, true},
      {"{ENTER}", tap(kEnter), {}, true},
      {"{enter}", tap(kEnter), {}, true},
      {"~", tap(kEnter), {}, true},
      {"+~", join({{down(kShift)}, tap(kEnter), {up(kShift)}}), {}, true},
      {"{ENTER 3}", tap(kEnter, 3), {}, true},
      {"{TAB $3}", tap(0x09, 3), {}, true},
      {"{ENTER  2}", tap(kEnter, 2), {}, true},
      {"{LEFT 0}", {}, {}, true},
      {"{BKSP}{BS}{BACKSPACE}", tap(0x08, 3), {}, true},
      {"{F1}{f16}{PRTSC}{BREAK}{HELP}", join({tap(0x70), tap(0x7F), tap(0x2A), tap(0x03), tap(0x2F)}), {}, true},
      {"{x}", shifted('X'), {}, true},
      {"{+}", shifted(0xBB), {}, true},
      // The escaped plus leaves nothing pending: the "a" after it is small.
      {"+{+}a", join({{down(kShift)}, shifted(0xBB), {up(kShift)}, tap('A')}), {}, true},
      {"{{}", shifted(0xDB), {}, true},
      // The third character of "{{}" is not examined, and a string cut short after "{{" ends there.
      {"{{xa", join({shifted(0xDB), tap('A')}), {}, true},
      {"{{", shifted(0xDB), {}, true},
      {"{}}", shifted(0xDD), {}, true},
      {"{ENTER}}", join({tap(kEnter), shifted(0xDD)}), {}, true},
      {"{}", {}, {"Invalid Key Name"}, true},
      {"{F17}x", tap('X'), {"Invalid Key Name"}, true},
      {"a{SPACE}b", join({tap('A'), tap('B')}), {"Invalid Key Name"}, true},
      {"+{F17}a", join({{down(kShift)}, tap('A'), {up(kShift)}}), {"Invalid Key Name"}, true},
      // A character without a key is skipped with its message; the modifier waits for the next key.
      {"+\xE9" "a", join({{down(kShift)}, tap('A'), {up(kShift)}}), {"Invalid KeyName"}, true},
      // A single braced character without a key is skipped silently.
      {"{\xE9}b", tap('B'), {}, true},
      {"ab{ENTER", join({tap('A'), tap('B')}), {"No Close"}, false},
      {"{ENTER}{", tap(kEnter), {"No Close"}, false},
      {"+{ENTER", {down(kShift), up(kShift)}, {"No Close"}, false},
      {"{UP}{PGDN}{END}{HOME}{LEFT}{RIGHT}{DOWN}{PGUP}{INS}{DEL}",
       join({extendedTap(0x26), extendedTap(0x22), extendedTap(0x23), extendedTap(0x24), extendedTap(0x25),
             extendedTap(0x27), extendedTap(0x28), extendedTap(0x21), extendedTap(0x2D), extendedTap(0x2E)}),
       {}, true},
      {"{CAPSLOCK}{CLEAR}{ESC}{SCROLLLOCK}", join({tap(0x14), tap(0x0C), tap(0x1B), tap(0x91)}), {}, true},
      {"{NUMLOCK}", {}, {}, true},
      {"{NUMLOCK 5}", {}, {}, true},
      // An open group ends with the string: its modifier is let go all the same.
      {"+(ab", join({{down(kShift)}, tap('A'), tap('B'), {up(kShift)}}), {}, true},
      {"%(^(", {down(kAlt), down(kCtrl), up(kCtrl), up(kAlt)}, {}, true},
      // Only 20 characters of the braced text are kept: the count 12 is cut to 1.
      {"{BACKSPACE          12}", tap(0x08), {}, true},
      // Counts keep their low 16 bits.
      {"{a 65536}", {down(kShift), up(kShift)}, {}, true},
      {"{a 65537}", shifted('A'), {}, true},
      {"{b -65535}", shifted('B'), {}, true},
      {"a b", join({tap('A'), tap(' '), tap('B')}), {}, true},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i << ": " << cases[i].keys);
    RecordingKeySink sink;
    EXPECT_EQ(sendKeys(cases[i].keys, false, sink), cases[i].result);
    EXPECT_EQ(sink.events, cases[i].events);
    EXPECT_EQ(sink.messages, cases[i].messages);
    expectNothingHeld(sink);
  }
}

TEST(sendKeys, BadRepeatCountRaisesAfterTheKeysBeforeAndLetsModifiersGo) {
  const std::pair<std::string, Events> cases[] = {
      {"a{ENTER x}b", tap('A')},
      {"+(a{ENTER x}b)", join({{down(kShift)}, tap('A'), {up(kShift)}})},
      {"^{ }", {down(kCtrl), up(kCtrl)}},
      {"{ENTER 3 }", {}},
      {"{LEFT 99999999999}", {}},
  };
  for (const auto& [keys, events] : cases) {
    SCOPED_TRACE(keys);
    RecordingKeySink sink;
    EXPECT_THROW(sendKeys(keys, false, sink), ConversionError);
    EXPECT_EQ(sink.events, events);
    expectNothingHeld(sink);
  }
}

TEST(sendKeys, NoCloseLetsGoOfModifiersBeforeItsBox) {
  RecordingKeySink sink;
  EXPECT_FALSE(sendKeys("+%{ENTER", false, sink));
  EXPECT_EQ(sink.calls, (Strings{"down 10", "down 12", "up 10", "up 12", "box No Close"}));
}

TEST(sendKeys, BracesUseTheLayoutsKeysAndTheFixedCodesOnlyWithout) {
  // A French layout: the braces are AltGr (Ctrl+Alt) with the 4 and the = key.
  RecordingKeySink french;
  french.layout = {{'{', 0x0634}, {'}', 0x06BB}};
  EXPECT_TRUE(sendKeys("{{}{}}", false, french));
  EXPECT_EQ(french.events, join({{down(kCtrl), down(kAlt)}, tap('4'), {up(kCtrl), up(kAlt)},
                                 {down(kCtrl), down(kAlt)}, tap(0xBB), {up(kCtrl), up(kAlt)}}));
  RecordingKeySink none;
  none.layout = {{'{', kNoKeyCode}, {'}', kNoKeyCode}};
  EXPECT_TRUE(sendKeys("{{}{}}", false, none));
  EXPECT_EQ(none.events, join({shifted(0xDB), shifted(0xDD)}));
}

TEST(sendKeys, NumLockFlipsTheKeyboardStateOncePerBrace) {
  RecordingKeySink sink;
  sendKeys("{NUMLOCK 5}", false, sink);
  EXPECT_TRUE(sink.numLock);
  sendKeys("{NUMLOCK}a", false, sink);
  EXPECT_FALSE(sink.numLock);
  EXPECT_EQ(sink.calls, (Strings{"numlock 1", "numlock 0", "down 41", "up 41"}));
}

TEST(sendKeys, WaitModeDispatchesAfterEveryKeyEvent) {
  RecordingKeySink sink;
  sendKeys("+a", true, sink);
  EXPECT_EQ(sink.calls, (Strings{"down 10", "pump", "down 41", "pump", "up 41", "pump", "up 10", "pump"}));
  RecordingKeySink noWait;
  sendKeys("+a", false, noWait);
  EXPECT_EQ(noWait.calls, (Strings{"down 10", "down 41", "up 41", "up 10"}));
}

TEST(sendKeys, LongStringsAreTypedWhole) {
  RecordingKeySink sink;
  EXPECT_TRUE(sendKeys(std::string(30000, 'a'), false, sink));
  EXPECT_EQ(sink.events.size(), 60000u);
  RecordingKeySink braced;
  EXPECT_FALSE(sendKeys("{" + std::string(30000, 'x'), false, braced));
  EXPECT_EQ(braced.messages, Strings{"No Close"});
}

}  // namespace
}  // namespace tovrik

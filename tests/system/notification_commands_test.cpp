// shownotification: the arguments read in order, the balloon asked for, the click reported.
#include "system/notification_commands.h"

#include <gtest/gtest.h>

#include "support/run_command.h"

namespace tovrik {
namespace {

using Strings = std::vector<std::string>;

TEST(ShowNotificationCommand, ArgumentsBecomeTheBalloon) {
  struct Row {
    Strings parameters;
    bool clicked;
    Strings lines;
    BalloonIcon icon;
    unsigned seconds;
  };
  const Row rows[] = {
      {{"shownotification", "Sauvegarde", "Copie terminée"}, false, {"CLICKED=0"}, BalloonIcon::kInfo, 10},
      {{"shownotification", "Sauvegarde", "Copie terminée"}, true, {"CLICKED=1"}, BalloonIcon::kInfo, 10},
      {{"shownotification", "T", "x", "info", "5"}, false, {"CLICKED=0"}, BalloonIcon::kInfo, 5},
      {{"shownotification", "T", "x", " WARNING "}, true, {"CLICKED=1"}, BalloonIcon::kWarning, 10},
      {{"shownotification", "T", "x", "Error", "60"}, false, {"CLICKED=0"}, BalloonIcon::kError, 60},
      // NULL keeps the default kind and time.
      {{"shownotification", "T", "x", "NULL", "NULL"}, false, {"CLICKED=0"}, BalloonIcon::kInfo, 10},
      {{"shownotification", "T", "x", "NULL", "3"}, false, {"CLICKED=0"}, BalloonIcon::kInfo, 3},
      // Seconds outside 1 to 60 are brought to that range; integer text as everywhere ($ for hexadecimal).
      {{"shownotification", "T", "x", "info", "0"}, false, {"CLICKED=0"}, BalloonIcon::kInfo, 1},
      {{"shownotification", "T", "x", "info", "-5"}, false, {"CLICKED=0"}, BalloonIcon::kInfo, 1},
      {{"shownotification", "T", "x", "info", "61"}, false, {"CLICKED=0"}, BalloonIcon::kInfo, 60},
      {{"shownotification", "T", "x", "info", "2147483647"}, false, {"CLICKED=0"}, BalloonIcon::kInfo, 60},
      {{"shownotification", "T", "x", "info", "$1E"}, false, {"CLICKED=0"}, BalloonIcon::kInfo, 30},
      {{"shownotification", "T", "x", "info", " 7"}, false, {"CLICKED=0"}, BalloonIcon::kInfo, 7},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(::testing::Message() << "row " << i);
    fakes::FakeServices services;
    services.notifications.clicked = rows[i].clicked;
    EXPECT_EQ(fakes::run(services, rows[i].parameters), rows[i].lines);
    ASSERT_EQ(services.notifications.balloons.size(), 1u);
    const BalloonRequest& balloon = services.notifications.balloons[0];
    EXPECT_EQ(balloon.title, rows[i].parameters[1]);
    EXPECT_EQ(balloon.text, rows[i].parameters[2]);
    EXPECT_EQ(balloon.icon, rows[i].icon);
    EXPECT_EQ(balloon.seconds, rows[i].seconds);
  }
}

TEST(ShowNotificationCommand, WrongArgumentsShowNothing) {
  const Strings rows[] = {
      {"shownotification"},
      {"shownotification", "Titre"},
      {"shownotification", "T", "x", "question"},
      {"shownotification", "T", "x", "infos"},
      {"shownotification", "T", "x", "info", "dix"},
      {"shownotification", "T", "x", "info", "5 s"},
      {"shownotification", "T", "x", "info", "99999999999"},
      // An unknown kind is found before the seconds are read.
      {"shownotification", "T", "x", "avertissement", "5"},
  };
  for (const Strings& parameters : rows) {
    SCOPED_TRACE(::testing::PrintToString(parameters));
    fakes::FakeServices services;
    EXPECT_EQ(fakes::run(services, parameters), Strings{"ERROR=1"});
    EXPECT_TRUE(services.notifications.balloons.empty());
  }
}

TEST(ShowNotificationCommand, TextsAreCutToTheBalloonsFieldsOnWholeCharacters) {
  fakes::FakeServices services;
  const std::string longTitle(100, 't'), longText(300, 'x');
  fakes::run(services, {"shownotification", longTitle, longText});
  ASSERT_EQ(services.notifications.balloons.size(), 1u);
  EXPECT_EQ(services.notifications.balloons[0].title, std::string(63, 't'));
  EXPECT_EQ(services.notifications.balloons[0].text, std::string(255, 'x'));

  // A double-byte character that would end past the field is left out whole.
  const fakes::FakeShiftJisCharset shiftJis;
  const std::string title = std::string(62, 'a') + "\x82\xA0";
  EXPECT_EQ(fitToField(title, kBalloonTitleBytes, shiftJis), std::string(62, 'a'));
  EXPECT_EQ(fitToField(title, kBalloonTitleBytes, SingleByteCharset()), std::string(62, 'a') + "\x82");
  EXPECT_EQ(fitToField("\x82\xA0\x82\xA0", 4, shiftJis), "\x82\xA0\x82\xA0");
  EXPECT_EQ(fitToField("", 4, shiftJis), "");
}

}  // namespace
}  // namespace tovrik

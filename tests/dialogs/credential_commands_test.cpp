// The password and logon commands: the texts each dialog is given, and the lines for each answer.
#include <gtest/gtest.h>

#include "dialogs/credential_commands.h"
#include "support/run_command.h"

namespace tovrik {
namespace {

using Strings = std::vector<std::string>;

TEST(CredentialCommands, LinesFollowTheAnswer) {
  struct Row {
    Strings parameters;
    EnteredCredentials answer;
    Strings shown;
    Strings lines;
  };
  const EnteredCredentials confirmed{true, "s3cr%t&", "jdupont"};
  const EnteredCredentials empty{true, "", ""};
  const EnteredCredentials cancelled{false, "typed", "typed"};
  const Row rows[] = {
      {{"createpassworddlg", "Titre", "Invite"}, confirmed, {"password Titre|Invite"}, {"PASSWORD=s3cr%t&", "EXECUTED=1"}},
      {{"createpassworddlg", "Titre", "Invite"}, empty, {"password Titre|Invite"}, {"PASSWORD=", "EXECUTED=1"}},
      {{"createpassworddlg", "Titre", "Invite"}, cancelled, {"password Titre|Invite"}, {"EXECUTED=0"}},
      {{"createpassworddlg", "NULL", "NULL"}, confirmed, {"password |"}, {"PASSWORD=s3cr%t&", "EXECUTED=1"}},
      {{"createpassworddlg", "Titre"}, confirmed, {}, {"ERROR=1"}},
      {{"createlongondlg", "Connexion", "Nom :", "Mot :"}, confirmed, {"logon Connexion|Nom :|Mot :"},
       {"PASSWORD=s3cr%t&", "TEXT=jdupont", "EXECUTED=1"}},
      {{"createlongondlg", "Connexion", "Nom :", "Mot :"}, empty, {"logon Connexion|Nom :|Mot :"},
       {"PASSWORD=", "TEXT=", "EXECUTED=1"}},
      {{"createlongondlg", "Connexion", "Nom :", "Mot :"}, cancelled, {"logon Connexion|Nom :|Mot :"}, {"EXECUTED=0"}},
      {{"createlongondlg", "Connexion", "Nom :"}, confirmed, {}, {"ERROR=1"}},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(::testing::Message() << "row " << i);
    fakes::FakeServices services;
    services.credentials.answer = rows[i].answer;
    EXPECT_EQ(fakes::run(services, rows[i].parameters), rows[i].lines);
    EXPECT_EQ(services.credentials.shown, rows[i].shown);
  }
}

}  // namespace
}  // namespace tovrik

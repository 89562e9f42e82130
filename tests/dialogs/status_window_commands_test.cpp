// The wait and progress commands: what the creating invocation does in which order, and what the
// finding invocations send to which window.
#include <gtest/gtest.h>

#include "dialogs/status_window_commands.h"
#include "frontend/command_mode.h"
#include "support/fake_services.h"

namespace tovrik {
namespace {

using Strings = std::vector<std::string>;

// Runs one command; the fake message loop throws instead of ending the process, and the test sees it.
struct Outcome {
  Strings lines;
  bool enteredLoop = false;
};

Outcome run(fakes::FakeServices& services, Strings parameters) {
  parameters.insert(parameters.begin(), "t");
  Outcome outcome;
  try {
    const LineList lines = runCommandMode(parameters, "t", services);
    for (const ReturnLine& line : lines.lines())
      if (!line.isRemark) outcome.lines.push_back(line.name + "=" + line.text);
  } catch (const fakes::WindowLoopEntered&) {
    outcome.enteredLoop = true;
  }
  return outcome;
}

TEST(StatusWindowCommands, CreatingShowsTitlesAndRunsTheLoop) {
  struct Case {
    Strings parameters;
    Strings waitCalls;
    Strings progressCalls;
    bool loop;
    Strings lines;
  };
  const Case cases[] = {
      {{"createwaitdlg", "Patience", "<b>Copie</b> en cours"}, {"show", "title Patience", "text <b>Copie</b> en cours", "loop"}, {}, true, {}},
      {{"createwaitdlg", "Patience"}, {"show", "title Patience"}, {}, false, {"ERROR=1"}},
      {{"createwaitdlg"}, {"show"}, {}, false, {"ERROR=1"}},
      {{"createprogressdlg", "Copie", "Fichiers", "25"}, {}, {"show", "title Copie", "text Fichiers", "range 0 25", "loop"}, true, {}},
      {{"createprogressdlg", "Copie", "Fichiers", "$10"}, {}, {"show", "title Copie", "text Fichiers", "range 0 16", "loop"}, true, {}},
      {{"createprogressdlg", "Copie", "Fichiers", "abc"}, {}, {"show", "title Copie", "text Fichiers"}, false, {"ERROR=1"}},
      {{"createprogressdlg", "Copie", "Fichiers"}, {}, {"show", "title Copie", "text Fichiers"}, false, {"ERROR=1"}},
      {{"createprogressdlg", "Copie", "NULL", "2147483647"}, {}, {"show", "title Copie", "text ", "range 0 2147483647", "loop"}, true, {}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i);
    fakes::FakeServices services;
    const Outcome outcome = run(services, cases[i].parameters);
    EXPECT_EQ(services.statusForms.wait.calls, cases[i].waitCalls);
    EXPECT_EQ(services.statusForms.progress.calls, cases[i].progressCalls);
    EXPECT_EQ(outcome.enteredLoop, cases[i].loop);
    EXPECT_EQ(outcome.lines, cases[i].lines);
  }
}

TEST(StatusWindowCommands, FindersSendToTheWindowFoundByTitle) {
  struct Case {
    Strings parameters;
    std::vector<fakes::SentMessage> sent;
    Strings lines;
  };
  constexpr std::uint32_t progress = kProgressMessage;
  const Case cases[] = {
      {{"incrementprogressform", "Copie", "10"}, {{77, progress, 1, 10}}, {}},
      {{"incrementprogressform", "Copie", "-5"}, {{77, progress, 1, -5}}, {}},
      {{"setprogressform", "Copie", "$FFFFFFFF"}, {{77, progress, 2, -1}}, {}},
      {{"setprogressform", "Copie", "x"}, {}, {"ERROR=1"}},
      {{"setprogressform", "Copie"}, {}, {"ERROR=1"}},
      // No window: argument 3 is not even read.
      {{"incrementprogressform", "Absent", "not a number"}, {}, {}},
      {{"setprogressform", "Absent"}, {}, {}},
      {{"closewaitdlg", "Copie"}, {{77, 0x10, 0, 0}}, {}},
      {{"closeprogressdlg", "Copie"}, {{77, 0x10, 0, 0}}, {}},
      {{"closeprogressdlg", "Absent"}, {}, {}},
      {{"closewaitdlg"}, {}, {"ERROR=1"}},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i << " " << cases[i].parameters[0]);
    fakes::FakeServices services;
    services.windows.byTitle["Copie"] = 77;
    const Outcome outcome = run(services, cases[i].parameters);
    EXPECT_EQ(outcome.lines, cases[i].lines);
    ASSERT_EQ(services.windows.sent.size(), cases[i].sent.size());
    for (std::size_t m = 0; m < cases[i].sent.size(); ++m) {
      EXPECT_EQ(services.windows.sent[m].window, cases[i].sent[m].window);
      EXPECT_EQ(services.windows.sent[m].message, cases[i].sent[m].message);
      EXPECT_EQ(services.windows.sent[m].wParam, cases[i].sent[m].wParam);
      EXPECT_EQ(services.windows.sent[m].lParam, cases[i].sent[m].lParam);
    }
    // A window that was found is looked up a second time before the send.
    if (!cases[i].sent.empty()) {
      EXPECT_EQ(services.windows.lookups.size(), 2u);
    }
  }
}

}  // namespace
}  // namespace tovrik

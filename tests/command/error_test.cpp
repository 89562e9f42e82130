// The error type names the application error box shows: scripts and users read them there, so they stay
// as they are whatever the C++ classes are called.
#include "command/error.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "markup/markup_nodes.h"
#include "markup/markup_parser.h"

namespace tovrik {
namespace {

TEST(ErrorTypeNames, AreTheNamesTheErrorBoxShows) {
  const struct {
    std::shared_ptr<CommandError> error;
    const char* shown;
  } cases[] = {
      {std::make_shared<CommandError>("m"), "CommandError"},
      {std::make_shared<ListIndexError>("m"), "ListIndexError"},
      {std::make_shared<ConversionError>("m"), "ConversionError"},
      {std::make_shared<ArithmeticError>("m"), "ArithmeticError"},
      {std::make_shared<RegistryError>("m"), "RegistryError"},
      {std::make_shared<PlatformError>("m"), "PlatformError"},
      {std::make_shared<FileCreateError>("m"), "FileCreateError"},
      {std::make_shared<NodeError>("m"), "ENodeError"},
      {std::make_shared<ParserError>("m"), "EParserError"},
  };
  for (const auto& [error, shown] : cases) {
    SCOPED_TRACE(shown);
    EXPECT_STREQ(error->typeName(), shown);
    EXPECT_STREQ(error->what(), "m");
  }
}

}  // namespace
}  // namespace tovrik

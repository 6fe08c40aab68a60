// The command line: the options a player can give, and what an unknown one does.
#include <gtest/gtest.h>

#include "shell/command_line.h"

namespace qv {
namespace {

TEST(CommandLineTest, OptionsAndTheirActions) {
  using Action = CommandLine::Action;
  struct Case {
    std::vector<std::string> args;
    Action action;
    std::optional<bool> windowed;
  };
  const Case cases[] = {
      {{}, Action::Play, std::nullopt},
      {{"--windowed"}, Action::Play, true},
      {{"--fullscreen"}, Action::Play, false},
      {{"--windowed", "--fullscreen"}, Action::Play, false},  // the last one counts
      {{"--help"}, Action::Help, std::nullopt},
      {{"-h"}, Action::Help, std::nullopt},
      {{"--version"}, Action::Version, std::nullopt},
      {{"--version", "--help"}, Action::Help, std::nullopt},
      {{"--bogus"}, Action::Error, std::nullopt},
      {{"--windowed", "extra"}, Action::Error, true},
      {{""}, Action::Error, std::nullopt},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    std::string shown;
    for (const std::string& a : c.args) shown += "'" + a + "' ";
    EXPECT_EQ(line.action, c.action) << shown;
    EXPECT_EQ(line.windowed, c.windowed) << shown;
    EXPECT_EQ(line.error.empty(), c.action != Action::Error) << shown;
  }
}

TEST(CommandLineTest, HelpNamesTheFilesFolderAndTheOptions) {
  const std::string text = UsageText("/home/player/.local/share/org.quorvax.Quorvax/");
  for (const char* part : {"/home/player/.local/share/org.quorvax.Quorvax/", "--windowed", "--fullscreen",
                           "--help", "--version", "Escape", "Alt+Enter"})
    EXPECT_NE(text.find(part), std::string::npos) << part;
  EXPECT_EQ(VersionLine(), "Quorvax 5.0");
}

}  // namespace
}  // namespace qv

// Quorvax: the process entry. Reads the command line, finds the game's folders, and runs the program
// on the real devices.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/sdl/program_folders.h"
#include "platform/sdl/sdl_platform.h"
#include "shell/command_line.h"
#include "shell/game.h"
#include "shell/program.h"

int main(int argc, char** argv) {
  const qv::CommandLine line = qv::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case qv::CommandLine::Action::Error:
      std::fprintf(stderr, "quorvax: %s\n\n%s", line.error.c_str(), qv::UsageText(qv::FindProgramFolders().files).c_str());
      return 2;
    case qv::CommandLine::Action::Help:
      std::printf("%s", qv::UsageText(qv::FindProgramFolders().files).c_str());
      return 0;
    case qv::CommandLine::Action::Version:
      std::printf("%s\n", qv::VersionLine().c_str());
      return 0;
    case qv::CommandLine::Action::Play:
      break;
  }
  const qv::LaunchOptions options{line.windowed};
  return qv::RunOnSdlPlatform(qv::FindProgramFolders(), [&options](qv::Platform& platform) {
    qv::Game game(platform);
    return qv::RunProgram(game, options);
  });
}

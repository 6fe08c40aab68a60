// The command line: quorvax [--windowed | --fullscreen] [--help] [--version].
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv {

struct CommandLine {
  enum class Action { Play, Help, Version, Error } action = Action::Play;
  // --windowed / --fullscreen: this run only; the saved settings keep the player's choice.
  std::optional<bool> windowed;
  std::string error;  // what was wrong, for Action::Error
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text of --help: usage, the folder of the player's files, and the keys.
std::string UsageText(const std::string& filesFolder);
std::string VersionLine();

}  // namespace qv

#include "shell/command_line.h"

#include "scoring/high_scores.h"

namespace qv {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      line.action = CommandLine::Action::Help;
    } else if (arg == "--version") {
      if (line.action != CommandLine::Action::Help) line.action = CommandLine::Action::Version;
    } else if (arg == "--windowed") {
      line.windowed = true;
    } else if (arg == "--fullscreen") {
      line.windowed = false;
    } else {
      line.action = CommandLine::Action::Error;
      line.error = "unknown option: " + arg;
      return line;
    }
  }
  return line;
}

std::string VersionLine() { return "Quorvax " + std::string(kVersionText); }

std::string UsageText(const std::string& filesFolder) {
  return "Usage: quorvax [--windowed | --fullscreen] [--help] [--version]\n"
         "\n"
         "  --windowed     play in a window this time (the saved settings are not changed)\n"
         "  --fullscreen   play full screen this time (the saved settings are not changed)\n"
         "  --help         show this text\n"
         "  --version      show the version\n"
         "\n"
         "Settings, colours, high scores and errors.txt are kept in:\n"
         "  " + filesFolder + "\n"
         "(a gamecontrollerdb.txt there adds mappings for unknown pads, and a gfx/user/ folder there\n"
         "holds your own images for the \"User\" image set)\n"
         "\n"
         "Keys: the bomb key (Space) starts a game; Escape opens the menu; Alt+Enter switches between\n"
         "full screen and a window. Default controls: S D E X move, the arrow keys fire (keyboard), or\n"
         "S D E X move and the mouse aims, left button fires, right button bombs (keys and mouse).\n"
         "F3 grid style, F4 stars, F5 particle gravity, F6 particle style.\n";
}

}  // namespace qv

// Where the game's data and the player's files live.
//
// The data (gfx/, sounds/) is beside the executable in a build folder or a portable copy, and in
// <prefix>/share/<application id>/ for an installed game, found relative to the executable wherever
// the prefix is. The player's files ("Config.txt", "Colours.txt", "hiscores.dat", "errors.txt",
// "gamecontrollerdb.txt", gfx/user/) stay beside a portable copy whose folder can be written; an
// installed game, or a copy in a folder that cannot be written, keeps them in the user's own data
// folder for the application (SDL's pref path, usually ~/.local/share/org.quorvax.Quorvax/), created
// on first use.
#pragma once

#include <string>

namespace qv {

inline constexpr const char* kApplicationId = "org.quorvax.Quorvax";

struct ProgramFolders {
  std::string data;   // ends in '/'
  std::string files;  // ends in '/'
};

ProgramFolders FindProgramFolders();

}  // namespace qv

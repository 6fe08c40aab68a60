// Runs a program on the real devices: an SDL window with OpenGL, SDL input, OpenAL sound and the
// system clock. The working folder becomes the folder of the player's files first (see
// program_folders.h), and the platform tells the program where the game's data is.
#pragma once

#include <functional>

#include "platform/platform.h"
#include "platform/sdl/program_folders.h"

namespace qv {

int RunOnSdlPlatform(const ProgramFolders& folders, const std::function<int(Platform&)>& program);

}  // namespace qv

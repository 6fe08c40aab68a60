// Runs a program on the real devices: an SDL window with OpenGL, SDL input, OpenAL sound and the
// system clock. The working folder becomes the folder that holds the executable first, since the
// game's files and data folders live beside it.
#pragma once

#include <functional>

#include "platform/platform.h"

namespace qv {

int RunOnSdlPlatform(const std::function<int(Platform&)>& program);

}  // namespace qv

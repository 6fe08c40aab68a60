// Quorvax: the process entry.
#include "platform/sdl/sdl_platform.h"
#include "shell/game.h"
#include "shell/program.h"

int main() {
  return qv::RunOnSdlPlatform([](qv::Platform& platform) {
    qv::Game game(platform);
    return qv::RunProgram(game);
  });
}

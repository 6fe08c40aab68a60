#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

#include "platform/null_audio.h"
#include "platform/sdl/gl_backend.h"
#include "platform/sdl/openal_audio.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_input.h"

namespace qv {

namespace {
void EnterProgramFolder() {
  if (char* base = SDL_GetBasePath()) {
    if (chdir(base) != 0) std::fprintf(stderr, "quorvax: cannot enter %s\n", base);
    SDL_free(base);
  }
}
}  // namespace

int RunOnSdlPlatform(const std::function<int(Platform&)>& program) {
  EnterProgramFolder();
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_Init(SDL_INIT_TIMER | SDL_INIT_EVENTS);
  InstallStopSignals();
  int status = 1;
  {
    GlBackend backend;
    Graphics gfx(backend);
    SdlInput input(backend);
    // Without a display the game only says why it cannot start: no sound device is opened for that.
    std::unique_ptr<Audio> audio;
    if (backend.videoAvailable()) audio = std::make_unique<OpenAlAudio>();
    else audio = std::make_unique<NullAudio>();
    SdlClock clock;
    Rng rng;
    Platform platform{gfx, input, *audio, clock, rng};
    status = program(platform);
  }
  SDL_Quit();
  return status;
}

}  // namespace qv

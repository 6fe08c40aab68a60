#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/null_audio.h"
#include "platform/sdl/gl_backend.h"
#include "platform/sdl/openal_audio.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_input.h"

namespace qv {

int RunOnSdlPlatform(const ProgramFolders& folders, const std::function<int(Platform&)>& program) {
  if (chdir(folders.files.c_str()) != 0) std::fprintf(stderr, "quorvax: cannot enter %s\n", folders.files.c_str());
  // Desktops group the window under the installed entry and icon by this class.
  setenv("SDL_VIDEO_X11_WMCLASS", kApplicationId, 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", kApplicationId, 0);
  SDL_SetHint(SDL_HINT_APP_NAME, "Quorvax");
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
    Platform platform{gfx, input, *audio, clock, rng, folders.data};
    status = program(platform);
  }
  SDL_Quit();
  return status;
}

}  // namespace qv

#include "platform/sdl/sdl_clock.h"

#include <SDL.h>

namespace qv {

SdlClock::SdlClock() {
  if (SDL_WasInit(SDL_INIT_TIMER) == 0) SDL_InitSubSystem(SDL_INIT_TIMER);
}

std::int64_t SdlClock::Millisecs() { return static_cast<std::int64_t>(SDL_GetTicks64()); }

void SdlClock::Delay(int ms) {
  if (ms <= 0) return;
  const Uint64 freq = SDL_GetPerformanceFrequency();
  const Uint64 end = SDL_GetPerformanceCounter() + freq * static_cast<Uint64>(ms) / 1000;
  if (ms > 2) SDL_Delay(static_cast<Uint32>(ms - 2));
  while (SDL_GetPerformanceCounter() < end) {
    // the last two milliseconds: yield briefly instead of trusting the scheduler's granularity
    SDL_Delay(0);
  }
}

}  // namespace qv

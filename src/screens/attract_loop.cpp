#include "screens/attract_loop.h"

#include <algorithm>
#include <cstdint>

#include "enemies/black_hole.h"
#include "effects/particles.h"
#include "settings/menus.h"
#include "shell/frame.h"
#include "shell/game.h"

namespace qv {

int RunAttractLoop(Game& game, const AttractLoopRules& rules, const std::function<void(int)>& drawFrame) {
  Graphics& gfx = game.gfx;
  game.in.FlushKeys();
  game.input.debounce = 20;
  // Everything on these screens glows: additive blending, as the spark drawing leaves it.
  gfx.SetBlend(kAddBlend);
  gfx.SetAlpha(1);
  gfx.SetRotation(0);
  gfx.SetScale(1, 1);
  gfx.SetLineWidth(2);

  int i = 0;
  while (true) {
    if (game.ShouldQuit()) return 1;
    if (i > rules.lastFrame) return 0;
    gfx.Cls();
    const std::int64_t t0 = game.clock.Millisecs();
    drawFrame(i);
    PresentFrame(game);
    CapFrame(game, t0);
    i += 1;
    game.input.debounce = std::max(game.input.debounce - 1, 0);

    if (OptionsRequested(game)) {
      if (OptionsMenu(game, 0) != 0) return 1;
      if (rules.restAfterControls) game.input.debounce = 20;
    }
    if (BombControlPressed(game)) {
      game.state.startRequested = 1;
      i = rules.lastFrame + 1;
      if (rules.restAfterControls) game.input.debounce = 20;
    }
  }
}

void DrawStartPrompt(Game& game, int frame) {
  if (frame % 50 <= 25) return;
  game.gfx.SetColor(255, 255, 0);
  game.DrawText("Press BOMB Button to Start", game.view.viewWidth / 2 - 250, game.view.viewHeight - 32, 4);
}

RowLayout AttractRowLayout(int screenHeight) {
  if (screenHeight < 600) return {32, 32};
  return {50, 0};
}

void SwirlAroundDemoHoles(Game& game) {
  if (game.settings.particleGravity != 0) {
    std::vector<ParticleAttractor>& holes = game.attractorScratch;
    holes.clear();
    game.blackHoles.ForEach([&](const BlackHole& h) {
      if (h.active) holes.push_back({h.x, h.y, h.size});
    });
    AttractParticles(game, holes);
  }
  game.blackHoles.ForEach([&](BlackHole& h) { DemoUpdate(game, h); });
}

}  // namespace qv

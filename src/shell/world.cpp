#include "shell/world.h"

#include <vector>

#include "effects/grid.h"
#include "effects/particles.h"
#include "effects/stars.h"
#include "effects/trail.h"
#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "player/power_up.h"
#include "player/ship.h"
#include "player/shots.h"
#include "scoring/floating_text.h"
#include "scoring/score.h"
#include "shell/game.h"

namespace qv {

namespace {

template <class T>
void UpdateAll(Game& game, EntityList<T>& list) {
  list.ForEach([&](T& e) { Update(game, e); });
}

// Each kind draws a translucent halo and an additive image: grouped by state, a whole list costs a
// couple of draw calls however many enemies it holds.
template <class T, class F>
void DrawSorted(Game& game, EntityList<T>& list, F draw) {
  game.gfx.BeginSortedRun();
  list.ForEach(draw);
  game.gfx.EndSortedRun();
}

template <class T>
void DrawAll(Game& game, EntityList<T>& list) {
  DrawSorted(game, list, [&](T& e) { Draw(game, e); });
}

// Before some lists the drawing colour is set to the kind's colour, which their halos use.
template <class T>
void DrawAll(Game& game, EntityList<T>& list, ColourSlot colour) {
  const Rgb& c = game.colours[colour];
  game.gfx.SetColor(c.red, c.green, c.blue);
  DrawAll(game, list);
}

// Objects removed in the last frame are let go now, when nothing is in the middle of using them.
void FreeRemovedObjects(Game& game) {
  game.shots.FreeRemoved();
  game.squares.FreeRemoved();
  game.pinwheels.FreeRemoved();
  game.diamonds.FreeRemoved();
  game.cubes.FreeRemoved();
  game.seekers.FreeRemoved();
  game.blackHoles.FreeRemoved();
  game.snakes.FreeRemoved();
  game.interceptors.FreeRemoved();
  game.butterflies.FreeRemoved();
  game.generators.FreeRemoved();
  game.triangles.FreeRemoved();
  game.powerUps.FreeRemoved();
  game.floatingTexts.FreeRemoved();
  game.trailSparks.FreeRemoved();
}

// The sparks feel every awake black hole.
void SwirlParticles(Game& game) {
  std::vector<ParticleAttractor>& holes = game.attractorScratch;
  holes.clear();
  game.blackHoles.ForEach([&](const BlackHole& h) {
    if (h.active) holes.push_back({h.x, h.y, h.size});
  });
  AttractParticles(game, holes);
}

}  // namespace

void UpdateWorld(Game& game, int frameIndex) {
  FreeRemovedObjects(game);
  if (game.settings.particleGravity != 0) SwirlParticles(game);
  StepCyclingColour(game.cycling, game.rng, 10);
  StepCyclingColour(game.cycling, game.rng, 10);
  UpdateFloatingTexts(game);
  UpdateTrail(game);
  UpdateGrid(game.grid);
  // The death sequence moves its sparks only on even frames after the first: a slow-motion blast.
  if (frameIndex % 2 == 0) UpdateParticles(game, 0);
  if (game.state.shipInactive != 0) return;
  UpdateAll(game, game.generators);
  UpdateAll(game, game.squares);
  UpdateAll(game, game.pinwheels);
  UpdateAll(game, game.diamonds);
  UpdateAll(game, game.cubes);
  UpdateAll(game, game.seekers);
  UpdateAll(game, game.snakes);
  UpdateAll(game, game.interceptors);
  UpdateAll(game, game.butterflies);
  UpdateAll(game, game.triangles);
  game.powerUps.ForEach([&](PowerUp& p) { UpdatePowerUp(game, p); });
  UpdateAll(game, game.blackHoles);
  BeginShotTargets(game);
  game.shots.ForEach([&](Shot& s) { UpdateShot(game, s); });
  EndShotTargets(game);
}

void DrawWorld(Game& game) {
  Graphics& gfx = game.gfx;
  const ViewState& v = game.view;

  DrawGrid(game, game.settings.gridStyle, false);
  gfx.SetOrigin(0, 0);
  DrawStars(gfx, game.stars, game.settings.starCount, v.scrollX, v.scrollY);
  DrawFloatingTexts(game);
  gfx.SetViewport(0, 0, v.viewWidth, v.viewHeight);
  gfx.SetScale(1, 1);
  gfx.SetAlpha(1);
  DrawTrail(game);
  DrawParticles(game);
  gfx.SetLineWidth(2);

  DrawAll(game, game.generators);
  DrawAll(game, game.squares, kSquareColour);
  DrawAll(game, game.pinwheels, kPinwheelColour);
  DrawAll(game, game.diamonds, kDiamondColour);
  DrawAll(game, game.cubes, kCubeColour);
  DrawAll(game, game.seekers, kSeekerColour);
  DrawAll(game, game.blackHoles, kBlackHoleColour);
  DrawAll(game, game.snakes);
  DrawAll(game, game.interceptors, kInterceptorColour);
  DrawAll(game, game.butterflies, kButterflyColour);
  DrawAll(game, game.triangles, kTriangleColour);
  DrawSorted(game, game.triangles, [&](const Triangle& t) { DrawTether(game, t); });

  DrawSorted(game, game.powerUps, [&](const PowerUp& p) { DrawPowerUp(game, p); });

  DrawTopDisplay(game);
  DrawPowerUpMessage(game);

  if (game.state.shipInactive == 0) {
    DrawShip(game, static_cast<int>(game.ship.x), static_cast<int>(game.ship.y), game.ship.angle);
    DrawShots(game);
  }

  // The playfield border, in the grid colour, with whatever blend mode the last drawing left.
  gfx.SetScale(1, 1);
  gfx.SetAlpha(1);
  gfx.SetColor(game.settings.gridRed, game.settings.gridGreen, game.settings.gridBlue);
  gfx.SetLineWidth(2);
  const float l = static_cast<float>(-v.scrollX), t = static_cast<float>(-v.scrollY);
  const float r = static_cast<float>(v.fieldWidth - 1 - v.scrollX), b = static_cast<float>(v.fieldHeight - 1 - v.scrollY);
  gfx.Line(l, t, r, t);
  gfx.Line(l, t, l, b);
  gfx.Line(l, b, r, b);
  gfx.Line(r, t, r, b);
}

}  // namespace qv

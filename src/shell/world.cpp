#include "shell/world.h"

#include "shell/game.h"

namespace qv {

void UpdateWorld(Game& game, int /*frameIndex*/) {
  StepCyclingColour(game.cycling, game.rng, 10);
  StepCyclingColour(game.cycling, game.rng, 10);

  UpdateGrid(game.grid);
}

void DrawWorld(Game& game) {
  Graphics& gfx = game.gfx;
  const ViewState& v = game.view;

  DrawGrid(game, game.settings.gridStyle, false);
  gfx.SetOrigin(0, 0);
  DrawStars(gfx, game.stars, game.settings.starCount, v.scrollX, v.scrollY);

  gfx.SetViewport(0, 0, v.viewWidth, v.viewHeight);
  gfx.SetScale(1, 1);
  gfx.SetAlpha(1);

  gfx.SetLineWidth(2);

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

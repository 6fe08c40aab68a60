#include "screens/enemies.h"

#include <array>
#include <string_view>

#include "effects/particles.h"
#include "platform/degmath.h"
#include "screens/attract.h"
#include "screens/attract_loop.h"
#include "shell/game.h"

namespace qv {

namespace {

enum class Motion { Spin, Breathe, Pulse, Snake };

struct EnemyRow {
  int threshold;    // the row shows from the frame after this one
  int rowsFromMid;  // rows below (or above, negative) the screen's middle
  int staggerSign;  // +1 pushed right, -1 pushed left on a low screen
  ImageHandle ImageSet::*image;
  Motion motion;
  float spinStart, spinPerFrame;  // degrees, for Motion::Spin
  std::string_view caption;
  ColourSlot captionColour;
};

const std::array<EnemyRow, 10> kEnemyRows = {{
    {50, -4, -1, &ImageSet::pinkPinwheel, Motion::Spin, 0, 4, "Paul the Pinwheel (25 pts)", kPinwheelColour},
    {100, -3, +1, &ImageSet::blueDiamond, Motion::Breathe, 0, 0, "Dimmy the Diamond (50 pts)", kDiamondColour},
    {150, -2, -1, &ImageSet::greenSquare, Motion::Spin, 0, 2, "Shy the Square (100 pts)", kSquareColour},
    {200, -1, +1, &ImageSet::purpleSquare1, Motion::Spin, 90, -2.5f, "Cubie the Cube (50/100 pts)", kCubeColour},
    {250, 0, -1, &ImageSet::blueCircle, Motion::Spin, 0, 0, "Sammy the Seeker (10 pts)", kSeekerColour},
    {300, 1, +1, &ImageSet::redCircle, Motion::Pulse, 0, 0, "Dwight the Black Hole (150 pts)", kBlackHoleColour},
    {350, 2, +1, &ImageSet::snakeHead, Motion::Snake, 0, 0, "Selena the Snake (100 pts)", kSnakeHeadColour},
    {400, 3, -1, &ImageSet::redClone, Motion::Spin, 0, 1, "Ivan the Interceptor (100 pts)", kInterceptorColour},
    {450, 4, +1, &ImageSet::orangeTriangle, Motion::Spin, 0, -3, "Trish the Triangle (150 pts)", kTriangleColour},
    {500, 5, -1, &ImageSet::indigoTriangle, Motion::Spin, 0, 4, "Indy the Butterfly (10 pts)", kButterflyColour},
}};

// The snake: a head and 23 tail segments in a travelling wave, each turned with the wave's slope.
void DrawWrigglingSnake(Game& game, int i, float headX, float midY) {
  Graphics& gfx = game.gfx;
  for (int n = 0; n < 24; ++n) {
    const double phase = 30.0 * n + i;
    gfx.SetRotation(90 - 20 * CosDeg(phase));
    if (n == 0) {
      gfx.DrawImage(game.images.snakeHead, headX, midY + 16 * SinDeg(i));
    } else {
      gfx.DrawImage(game.images.snakeTail, headX - 13.0f * n, midY + 16 * SinDeg(phase), 24 - n);
    }
  }
}

void DrawEnemyRow(Game& game, const EnemyRow& row, int i, RowLayout layout) {
  Graphics& gfx = game.gfx;
  const int cx = game.view.viewWidth / 2, cy = game.view.viewHeight / 2;
  const float x = static_cast<float>(cx - 200 + row.staggerSign * layout.stagger);
  const float y = static_cast<float>(cy + row.rowsFromMid * layout.spacing);
  gfx.SetColor(255, 255, 255);
  switch (row.motion) {
    case Motion::Spin:
      gfx.SetRotation(row.spinStart + row.spinPerFrame * static_cast<float>(i));
      break;
    case Motion::Breathe: {
      const Scale2 s = DiamondBreath(i);
      gfx.SetScale(s.x, s.y);
      break;
    }
    case Motion::Pulse: {
      const float s = 0.75f + 0.25f * SinDeg(8.0 * i);
      gfx.SetScale(s, s);
      break;
    }
    case Motion::Snake:
      break;
  }
  if (row.motion == Motion::Snake) {
    DrawWrigglingSnake(game, i, static_cast<float>(cx - 155 + layout.stagger), y);
  } else {
    gfx.DrawImage(game.images.*row.image, x, y);
  }
  gfx.SetRotation(0);
  gfx.SetScale(1, 1);
  const Rgb& c = game.colours[row.captionColour];
  gfx.SetColor(c.red, c.green, c.blue);
  game.DrawText(row.caption, cx - 120, static_cast<int>(y) - 10, 3);
}

}  // namespace

Scale2 DiamondBreath(int i) {
  const int c = i % 256;
  if (c < 128) {
    const int a = c <= 63 ? c : 127 - c;
    return {1 + static_cast<float>(a) / 80, 1};
  }
  const int b = c <= 190 ? c - 127 : 255 - c;
  return {1, 1 + static_cast<float>(b) / 80};
}

void EnemiesFrame(Game& game, int i) {
  game.gfx.SetColor(255, 0, 0);
  game.DrawText("Know Your Enemies", static_cast<int>(game.view.viewWidth / 2 - 202.5f - 32), 10, 4.5f);
  const RowLayout layout = AttractRowLayout(game.view.viewHeight);
  for (const EnemyRow& row : kEnemyRows) {
    if (i > row.threshold) DrawEnemyRow(game, row, i, layout);
  }
  if (game.rng.RandInt(0, 100) > 94 && i < 700) SpawnFirework(game, 1);
  UpdateParticles(game, 1);
  DrawParticles(game);
  DrawStartPrompt(game, i);
}

int ShowEnemies(Game& game) {
  return RunAttractLoop(game, {kEnemiesLastFrame, false}, [&](int i) { EnemiesFrame(game, i); });
}

}  // namespace qv

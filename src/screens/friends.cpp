#include "screens/friends.h"

#include <array>
#include <string_view>

#include "effects/particles.h"
#include "screens/attract.h"
#include "shell/game.h"

namespace qv {

namespace {

inline constexpr int kShipRow = -1;  // the row that shows the ship instead of a power-up

struct FriendRow {
  int threshold;     // the row shows from the frame after this one
  int rowsFromMid;   // rows below (or above, negative) the screen's middle
  int staggerSign;   // +1 pushed right, -1 pushed left on a low screen
  int powerUpFrame;  // the cell of "powerups.png", or kShipRow
  int trailIndex;    // the star's colour
  int spinOffset;    // degrees added to the star's spin
  std::string_view caption;
  ColourSlot captionColour;
};

constexpr std::array<FriendRow, 10> kFriendRows = {{
    {50, -4, +1, kShipRow, 0, 0, "Your Ship", kPlayerColour},
    {100, -3, -1, 2, 0, 0, "Temporary Back Shooter", kDiamondColour},
    {150, -2, +1, 3, 1, 45, "Temporary Side Shooters", kPlayerColour},
    {200, -1, -1, 0, 2, 0, "Extra Front Shooter", kDiamondColour},
    {250, 0, +1, 5, 3, 0, "Extra Shot Speed", kPlayerColour},
    {300, 1, -1, 6, 4, 0, "Extra Player", kDiamondColour},
    {350, 2, +1, 8, 5, 0, "Extra Bomb", kPlayerColour},
    {400, 3, -1, 9, 6, 0, "Temporary Shield", kDiamondColour},
    {450, 4, +1, 7, 6, 0, "Super Shots", kPlayerColour},
    {500, 5, -1, 10, 7, 0, "Bouncy Shots", kDiamondColour},
}};

void DrawFriendRow(Game& game, const FriendsView& view, const FriendRow& row, int i, RowLayout layout) {
  Graphics& gfx = game.gfx;
  const int cx = game.view.viewWidth / 2, cy = game.view.viewHeight / 2;
  const float x = static_cast<float>(cx - 200 + row.staggerSign * layout.stagger);
  const float y = static_cast<float>(cy + row.rowsFromMid * layout.spacing);
  if (row.powerUpFrame == kShipRow) {
    gfx.SetColor(255, 255, 255);
    gfx.SetRotation(static_cast<float>(i));
    gfx.DrawImage(game.images.whitePlayer, x, y);
  } else {
    gfx.SetAlpha(1);
    gfx.SetRotation(0);
    gfx.SetBlend(kAddBlend);
    gfx.SetColor(255, 255, 255);
    gfx.DrawImage(game.images.powerUps, x, y, row.powerUpFrame);
    const Rgb& star = view.trail.entries[static_cast<std::size_t>(row.trailIndex)];
    gfx.SetColor(star.red, star.green, star.blue);
    gfx.SetRotation(static_cast<float>(6 * i + row.spinOffset));
    gfx.DrawImage(game.images.whiteStar, x, y);
  }
  gfx.SetRotation(0);
  const Rgb& c = game.colours[row.captionColour];
  gfx.SetColor(c.red, c.green, c.blue);
  game.DrawText(row.caption, cx - 100, static_cast<int>(y) - 10, 3);
}

}  // namespace

void FriendsFrame(Game& game, FriendsView& view, int i) {
  game.state.gameTicks += 1;
  if (game.rng.RandInt(0, 100) > 94 && i < 700) SpawnFirework(game, 1);
  UpdateParticles(game, 1);
  DrawParticles(game);
  SwirlAroundDemoHoles(game);

  game.gfx.SetColor(255, 255, 0);
  game.DrawText("Know Your Friends", static_cast<int>(game.view.viewWidth / 2 - 202.5f - 32), 10, 4.5f);

  StepCyclingColour(game.cycling, game.rng, 10);
  StepCyclingColour(game.cycling, game.rng, 10);
  view.trail.Follow(game.cycling, i);

  const RowLayout layout = AttractRowLayout(game.view.viewHeight);
  for (const FriendRow& row : kFriendRows) {
    if (i > row.threshold) DrawFriendRow(game, view, row, i, layout);
  }
  DrawStartPrompt(game, i);
}

int ShowFriends(Game& game) {
  FriendsView view;
  return RunAttractLoop(game, {kFriendsLastFrame, false}, [&](int i) { FriendsFrame(game, view, i); });
}

}  // namespace qv

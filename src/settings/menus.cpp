#include "settings/menus.h"

#include "shell/game.h"

namespace qv {

// The menus arrive in a later step of the build; until then the game simply continues.
int OptionsMenu(Game&, int) { return 0; }

void DrawMenuPointer(Game& game, int x, int y, int frame, int size) {
  Graphics& gfx = game.gfx;
  if (frame % 30 < 15)
    gfx.SetColor(255, 32, 32);
  else
    gfx.SetColor(255, 255, 32);
  for (int a = 0; a < 360; a += 45) {
    gfx.SetRotation(static_cast<float>((8 * frame) % 360 + a));
    gfx.Line(static_cast<float>(x - size), static_cast<float>(y - size), static_cast<float>(x + size),
             static_cast<float>(y + size));
  }
  gfx.SetRotation(0);
}

}  // namespace qv

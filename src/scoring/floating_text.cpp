#include "scoring/floating_text.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "shell/game.h"

namespace qv {

void AddFloatingText(Game& game, std::string text, int x, int y, int style) {
  auto entry = std::make_shared<FloatingText>();
  entry->x = x;
  entry->y = y;
  entry->text = std::move(text);
  // Only the three styles exist; anything else is read as the nearest one.
  entry->life = 30 + 20 * std::clamp(style, 0, 2);
  game.floatingTexts.Append(std::move(entry));
}

void UpdateFloatingTexts(Game& game) {
  EntityList<FloatingText>& texts = game.floatingTexts;
  texts.ForEach([&texts](FloatingText& t) {
    t.life -= 1;
    if (t.life < 1) texts.Remove(t);
  });
}

void DrawFloatingTexts(Game& game) {
  Graphics& gfx = game.gfx;
  const int sx = game.view.scrollX, sy = game.view.scrollY;
  gfx.SetBlend(kAddBlend);
  gfx.SetScale(1, 1);
  gfx.SetAlpha(1);
  gfx.SetLineWidth(2);
  // A text is born large and bright and shrinks, dims and slides one pixel right per frame.
  game.floatingTexts.ForEach([&](const FloatingText& t) {
    const int c = std::min(10 * t.life + 75, 255);
    gfx.SetColor(c, c, 32);
    DrawVectorText(gfx, game.font, t.text, t.x - sx - t.life, t.y - sy - 16,
                   1.0f + static_cast<float>(t.life) / 12.0f);
  });
  gfx.SetAlpha(1);
}

}  // namespace qv

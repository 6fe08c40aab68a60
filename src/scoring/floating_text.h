// Floating texts: score pop-ups and short messages that appear at a playfield position, then shrink,
// dim and slide away.
#pragma once

#include <string>

#include "shell/entity_list.h"

namespace qv {

struct Game;

struct FloatingText : Listed {
  int x = 0, y = 0;
  std::string text;
  int life = 0;
};

// Style 0 score pop-ups (30 frames), 1 the multiplier message and power-up names (50), 2 the
// debug-key messages (70).
void AddFloatingText(Game& game, std::string text, int x, int y, int style);
void UpdateFloatingTexts(Game& game);
void DrawFloatingTexts(Game& game);

}  // namespace qv

// The player's ship: controls, movement, volleys, bombs and its drawing.
#pragma once

namespace qv {

struct Game;

void UpdateShip(Game& game);

}  // namespace qv

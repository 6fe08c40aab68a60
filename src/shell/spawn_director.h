// The spawn director: enemies arrive from the game clock in singles and streams.
#pragma once

namespace qv {

struct Game;

void SpawnTick(Game& game, int gameTicks);

}  // namespace qv

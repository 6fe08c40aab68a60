#include "shell/spawn_director.h"

namespace qv {

// No enemy kind exists yet, so the director has nothing to send.
void SpawnTick(Game&, int) {}

}  // namespace qv

#include "player/ship.h"

namespace qv {

// The ship arrives with the next step of the build.
void UpdateShip(Game&) {}

}  // namespace qv

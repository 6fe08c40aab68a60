#include "settings/menus.h"

namespace qv {

// The menus arrive in a later step of the build; until then the game simply continues.
int OptionsMenu(Game&, int) { return 0; }

}  // namespace qv

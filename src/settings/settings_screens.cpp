#include "settings/settings_screens.h"

namespace qv {

// A placeholder until the controller screens arrive: no screen opens and nothing changes.
int ControllerSelection(Game&, bool) { return 0; }

}  // namespace qv

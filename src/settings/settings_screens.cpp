#include "settings/settings_screens.h"

namespace qv {

// Placeholders until the settings screens arrive: no screen opens and nothing changes.
int AudioSettings(Game&, bool) { return 0; }
int VideoSettings(Game&, bool) { return 0; }
int GameSettings(Game&, bool) { return 0; }

}  // namespace qv

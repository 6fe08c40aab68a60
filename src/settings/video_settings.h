// The video settings screen's own pieces (the screen itself is VideoSettings in settings_screens.h).
#pragma once

namespace qv {

struct Game;

// The distance between the video screen's rows: 32 pixels on a screen 480 high or less, else 40.
int VideoRowPitch(int screenHeight);

// The grid colour from the colour strip: the pixel at (position + 1, 2) of the picker's frame 1 gives
// the grid's red, green and blue. Without a picker image the colour stays as it is.
void PickGridColour(Game& game, int position);

}  // namespace qv

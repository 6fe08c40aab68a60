// The sprites, loaded from one of five interchangeable sets of PNG files ("gfx/solid/", "gfx/low/",
// "gfx/med/", "gfx/high/", "gfx/user/"), chosen by the image-set setting. Every image is filtered and
// mip-mapped with its handle at its centre. A file that cannot be loaded leaves its entry empty, and
// drawing an empty entry draws nothing.
#pragma once

#include <string>

#include "platform/graphics.h"

namespace qv {

struct ImageSet {
  ImageHandle icons;       // 2 frames: spare ship, bomb
  ImageHandle snakeTail;   // 24 frames
  ImageHandle powerUps;    // 11 frames, one per power-up kind
  ImageHandle greenSquare, purpleSquare1, purpleSquare2, blueDiamond, pinkPinwheel, indigoTriangle,
      blueCircle, redClone, orangeTriangle, redCircle, whitePlayer, yellowShot, whiteStar, snakeHead, particle;
  ImageHandle colourPick;  // shared by all sets: 3 frames of 122 x 9
};

inline constexpr int kImageSetCount = 5;
const char* ImageSetFolder(int gfxSet);  // "gfx/solid/" ... "gfx/user/"; set 0 for a value outside 0..4

// (Re)loads every entry for `gfxSet`; the previous images are released.
// `dataFolder` holds gfx/ (empty for the working folder). A file of the "user" set found in the
// working folder's gfx/user/ (the player's own folder) is taken before the one beside the data.
void LoadImageSet(Graphics& gfx, ImageSet& images, int gfxSet, const std::string& dataFolder = "");

}  // namespace qv

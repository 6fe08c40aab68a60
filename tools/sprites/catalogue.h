// Every file of an image set, how big it is in each set and how it is drawn.
#pragma once

#include <string>
#include <vector>

#include "image_sets.h"
#include "platform/png_io.h"

namespace qv::sprites {

struct SetImage {
  std::string file;
  RgbaImage image;
};

// The three strips followed by the fifteen single images, in the order the game loads them.
std::vector<SetImage> DrawImageSet(const SetStyle& style);

// The colour picker shared by all sets: three 122 x 9 frames side by side.
RgbaImage DrawColourPicker();
// The program's icon for desktops: the player's ship glowing on a dark rounded plate, size x size.
RgbaImage DrawDesktopIcon(int size);
inline constexpr int kDesktopIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

inline constexpr int kPickerFrameWidth = 122;
inline constexpr int kPickerFrameHeight = 9;

}  // namespace qv::sprites

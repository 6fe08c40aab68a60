// "Know Your Friends": the ship and the power-ups, one row every 50 frames, each power-up turning
// inside a star tinted by a trail of cycling colours.
#pragma once

#include "screens/attract_loop.h"

namespace qv {

struct Game;

inline constexpr int kFriendsLastFrame = 749;

struct FriendsView {
  ColourTrail<8> trail;  // starts black
};

// Frame i of the friends screen, as the frame loop draws it.
void FriendsFrame(Game& game, FriendsView& view, int i);

}  // namespace qv
